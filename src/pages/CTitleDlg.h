#pragma once
// The "名称栏目" page: the name column's position and background pictures and its three
// labels (café name, seat number, price list).

#include <QCheckBox>

#include "pages/ConfigPage.h"
#include "pages/PageWidgets.h"

struct NameColumnSection;

class CTitleDlg : public ConfigPage {
    Q_OBJECT
  public:
    explicit CTitleDlg(QWidget* parent = nullptr);

    void attachSection(NameColumnSection& record);
    void attachArea(ArearConfig& area, CArearCfgDlg* host, int areaIndex) override;
    void loadPage() override;
    void savePage() override;

  private:
    void applyEnabling();

    NameColumnSection* record_ = nullptr;

    pageui::PositionEditor* position_;
    pageui::PictureList* titleBackground_;
    pageui::PictureList* bodyBackground_;

    QCheckBox* cafeShown_;
    QCheckBox* cafeBackground_;
    QCheckBox* cafeEffect_;
    QCheckBox* cafeBold_;
    pageui::ColourEditor* cafeColour_;
    QLineEdit* cafeSize_;

    QCheckBox* seatShown_;
    QCheckBox* seatEffect_;
    QCheckBox* seatBold_;
    QLineEdit* seatOffset_;
    pageui::ColourEditor* seatColour_;
    QLineEdit* seatSize_;
    QLineEdit* seatContent_;

    QCheckBox* priceShown_;
    QCheckBox* priceEffect_;
    QCheckBox* priceBold_;
    pageui::ColourEditor* priceColour_;
    QLineEdit* priceSize_;
    QLineEdit* priceContent_;
};
