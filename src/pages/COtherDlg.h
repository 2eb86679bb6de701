#pragma once
// The "其它功能" page: the screen resolution the runtime sets and the auxiliary switches.

#include <QCheckBox>

#include "pages/ConfigPage.h"
#include "pages/PageWidgets.h"

struct OtherFunctionsSection;

class COtherDlg : public ConfigPage {
    Q_OBJECT
  public:
    explicit COtherDlg(QWidget* parent = nullptr);

    void attachSection(OtherFunctionsSection& record);
    void attachArea(ArearConfig& area, CArearCfgDlg* host, int areaIndex) override;
    // Always refills the mode list; the rest only with a record attached.
    void loadPage() override;
    void savePage() override;

  private:
    void applyEnabling();

    OtherFunctionsSection* record_ = nullptr;
    QCheckBox* setResolution_;
    QComboBox* modes_;
    QCheckBox* rightClick_;
    QCheckBox* startWithSystem_;
    QCheckBox* transparency_;
    QCheckBox* shortcut_;
    QLineEdit* shortcutName_;
    QLineEdit* outputPath_;
};
