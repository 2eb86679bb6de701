#pragma once
// The "公告栏目" page: the notice board of one area (position, images, title bar, body
// style) and the café-wide notice templates that fill the body.

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "pages/ConfigPage.h"
#include "pages/PageWidgets.h"

struct NoticeSection;

class CNoticeDlg : public ConfigPage {
    Q_OBJECT
  public:
    explicit CNoticeDlg(QWidget* parent = nullptr);

    void attachSection(NoticeSection& record);
    void attachArea(ArearConfig& area, CArearCfgDlg* host, int areaIndex) override;
    void loadPage() override;
    void savePage() override;

  private:
    void applyEnabling();
    void applyTitleEnabling();
    void showTemplate(int index);
    void newTemplate();
    void deleteTemplate();

    NoticeSection* record_ = nullptr;

    QCheckBox* shown_;
    pageui::PositionEditor* position_;
    pageui::PictureList* titleBackground_;
    pageui::PictureList* bodyBackground_;

    QCheckBox* titleShown_;
    QCheckBox* titleEffect_;
    QCheckBox* titleBold_;
    QCheckBox* newLabel_;
    QLineEdit* titleText_;
    pageui::ColourEditor* titleColour_;
    QLineEdit* titleSize_;

    QComboBox* templates_;
    QPushButton* newButton_;
    QPushButton* deleteButton_;
    pageui::PictureList* divider_;
    pageui::ColourEditor* colour_;
    QLineEdit* size_;
    QCheckBox* effect_;
    QRadioButton* alignCentre_;
    QRadioButton* alignLeft_;
    QPlainTextEdit* content_;
};
