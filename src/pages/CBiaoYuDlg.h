#pragma once
// The "标语栏目" page: the slogan line, its position, style and background picture.

#include <QCheckBox>

#include "pages/ConfigPage.h"
#include "pages/PageWidgets.h"

struct SloganSection;

class CBiaoYuDlg : public ConfigPage {
    Q_OBJECT
  public:
    explicit CBiaoYuDlg(QWidget* parent = nullptr);

    void attachSection(SloganSection& record);
    void attachArea(ArearConfig& area, CArearCfgDlg* host, int areaIndex) override;
    void loadPage() override;
    void savePage() override;

  private:
    void applyEnabling();

    SloganSection* record_ = nullptr;
    QCheckBox* shown_;
    pageui::PositionEditor* position_;
    pageui::PictureList* background_;
    QCheckBox* effect_;
    QCheckBox* italic_;
    pageui::ColourEditor* colour_;
    QLineEdit* size_;
    QLineEdit* content_;
};
