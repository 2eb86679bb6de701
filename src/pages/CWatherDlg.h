#pragma once
// The "天气栏目" page: the weather panel of one area, and the café-wide weather templates
// the areas pick from (chosen, edited, created and deleted here).

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <string>
#include <vector>

#include "pages/ConfigPage.h"
#include "pages/PageWidgets.h"

struct WeatherSection;

// The content box of the weather and notice pages: one template line per line of text
// (not per wrapped row), joined with plain line breaks.
namespace templatebox {
QPlainTextEdit* make(QWidget* parent);
QString text(const std::vector<std::string>& lines);
// An empty box holds no lines.
std::vector<std::string> lines(const QString& text);
}  // namespace templatebox

class CWatherDlg : public ConfigPage {
    Q_OBJECT
  public:
    explicit CWatherDlg(QWidget* parent = nullptr);

    void attachSection(WeatherSection& record);
    void attachArea(ArearConfig& area, CArearCfgDlg* host, int areaIndex) override;
    void loadPage() override;
    void savePage() override;

  private:
    void applyEnabling();
    void showTemplate(int index);
    void newTemplate();
    void deleteTemplate();

    WeatherSection* record_ = nullptr;

    QCheckBox* shown_;
    QRadioButton* alignLeft_;
    QRadioButton* alignRight_;
    pageui::PositionEditor* position_;
    pageui::PictureList* iconStyle_;
    pageui::PictureList* weatherBackground_;
    pageui::PictureList* calendarBackground_;
    QComboBox* templates_;
    QPushButton* newButton_;
    QPushButton* deleteButton_;
    QCheckBox* effect_;
    pageui::ColourEditor* colour_;
    QLineEdit* size_;
    QPlainTextEdit* content_;
};
