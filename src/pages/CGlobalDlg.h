#pragma once
// The "全局设置" page: skin style and width, the text effect with its colour and
// transparency, the wallpaper choice, and the two theme package buttons.

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <string>

#include "pages/ConfigPage.h"
#include "pages/PageWidgets.h"
#include "store/Status.h"

struct GlobalConfig;
struct SkinSection;

class CGlobalDlg : public ConfigPage {
    Q_OBJECT
  public:
    explicit CGlobalDlg(QWidget* parent = nullptr);

    void attachSection(SkinSection& record, CArearCfgDlg* host, int areaIndex);
    void attachArea(ArearConfig& area, CArearCfgDlg* host, int areaIndex) override;
    void loadPage() override;
    void savePage() override;

    // What the theme buttons need from the window the page sits in: its save request (into
    // a package descriptor), its page reload, and the live configuration. Without them the
    // buttons only say that the theme functions work inside the area window.
    struct ThemeHooks {
        std::function<Status(const std::string& descriptorPath)> save;
        std::function<void()> reloadPages;
        GlobalConfig* config = nullptr;
    };
    void setThemeHooks(ThemeHooks hooks) { themeHooks_ = std::move(hooks); }

    CArearCfgDlg* host() const { return host_; }
    int areaIndex() const { return areaIndex_; }

  private slots:
    void randomWallpaperClicked();
    void chooseWallpaper();
    void exportTheme();
    void importTheme();

  private:
    void applyEnabling();

    SkinSection* record_ = nullptr;
    ThemeHooks themeHooks_;
    CArearCfgDlg* host_ = nullptr;
    int areaIndex_ = -1;

    QLabel* styleLabel_;
    QComboBox* styleList_;
    QLineEdit* styleWidth_;
    pageui::ColourEditor* colour_;
    QLineEdit* transparency_;
    QRadioButton* shadow_;
    QRadioButton* outline_;
    QCheckBox* random_;
    QLineEdit* folder_;
    QLineEdit* fixed_;
    QPushButton* choose_;
    QPushButton* export_;
    QPushButton* import_;
    QLabel* warning_;
};
