#pragma once
// The "天气栏目" page: the weather panel of one area, and the café-wide weather templates
// the areas pick from (chosen, edited, created and deleted here).

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>
#include <string>
#include <vector>

#include "pages/ConfigPage.h"
#include "pages/PageWidgets.h"
#include "platform/UserInteraction.h"
#include "store/TemplateStore.h"

struct WeatherSection;

// The content box of the weather and notice pages: one template line per line of text
// (not per wrapped row), joined with plain line breaks.
namespace templatebox {
QPlainTextEdit* make(QWidget* parent);
QString text(const std::vector<std::string>& lines);
// An empty box holds no lines.
std::vector<std::string> lines(const QString& text);

// The template list of the weather and notice pages, edited in place in the store's list.
struct Texts {
    const char* newCaption;  // name prompt caption
    const char* emptyName;   // refusal of a nameless template
    const char* deleted;     // after a deletion
};
inline constexpr const char* kLastTemplate = "亲，只剩下一个模版了，还是保留着吧！";

// Shows template `index` in the box and makes it the area's template.
template <typename T>
void show(const std::vector<std::unique_ptr<T>>& list, int index, std::string* areaGuid,
          QPlainTextEdit* content) {
    if (index < 0 || index >= static_cast<int>(list.size())) return;
    const T& t = *list[static_cast<std::size_t>(index)];
    if (areaGuid) *areaGuid = t.guid;
    content->setPlainText(text(t.lines));
}

// Asks for a name, appends an empty template and shows it.
template <typename T>
void create(std::vector<std::unique_ptr<T>>& list, QComboBox* combo, QPlainTextEdit* content,
            std::string* areaGuid, const Texts& texts) {
    auto name = ui::current().promptForName(texts.newCaption, "");
    if (!name) return;
    // A nameless template would not come back at the next reload.
    if (name->empty()) {
        ui::current().message(texts.emptyName, ui::kCaption, ui::Icon::Warning, ui::Buttons::Ok);
        return;
    }
    auto t = std::make_unique<T>();
    t->guid = newRecordGuid();
    t->name = *name;
    content->clear();
    content->setFocus();
    list.push_back(std::move(t));
    combo->addItem(QString::fromStdString(*name));
    const int index = combo->count() - 1;
    combo->setCurrentIndex(index);
    show(list, index, areaGuid, content);
}

// Deletes the selected template, keeping the last one, and shows the first.
template <typename T>
void remove(std::vector<std::unique_ptr<T>>& list, QComboBox* combo, QPlainTextEdit* content,
            std::string* areaGuid, const Texts& texts) {
    if (list.size() <= 1) {
        ui::current().message(kLastTemplate, ui::kCaption, ui::Icon::Error, ui::Buttons::Ok);
        return;
    }
    const int selected = combo->currentIndex();
    if (selected < 0 || selected >= static_cast<int>(list.size())) return;
    list.erase(list.begin() + selected);
    combo->removeItem(selected);
    combo->setCurrentIndex(0);
    show(list, 0, areaGuid, content);
    ui::current().message(texts.deleted, ui::kCaption, ui::Icon::Information, ui::Buttons::Ok);
}
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
