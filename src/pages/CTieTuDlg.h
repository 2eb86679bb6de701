#pragma once
// The "贴图插图" page: the festival decal (picture, position, period) and the wallpaper
// illustration line.

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QPushButton>
#include <optional>
#include <string>

#include "pages/ConfigPage.h"
#include "pages/PageWidgets.h"

struct DecalSection;

// Decal dates are stored as "%d年%d月%d日" whatever the locale.
std::optional<QDate> parseDecalDate(const std::string& text);
std::string formatDecalDate(const QDate& date);

class CTieTuDlg : public ConfigPage {
    Q_OBJECT
  public:
    explicit CTieTuDlg(QWidget* parent = nullptr);

    void attachSection(DecalSection& record);
    void attachArea(ArearConfig& area, CArearCfgDlg* host, int areaIndex) override;
    void loadPage() override;
    void savePage() override;

  private slots:
    void automaticPicture();
    void choosePicture();

  private:
    void applyEnabling();

    DecalSection* record_ = nullptr;
    QCheckBox* decalShown_;
    QLineEdit* picture_;
    QPushButton* automatic_;
    QPushButton* choose_;
    pageui::PositionEditor* position_;
    QDateEdit* start_;
    QDateEdit* end_;
    QCheckBox* illustrationsShown_;
    QLineEdit* content_;
};
