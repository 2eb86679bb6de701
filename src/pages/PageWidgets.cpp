#include "pages/PageWidgets.h"

#include <QHBoxLayout>
#include <QRegularExpressionValidator>

#include "desktop/FolderUtils.h"
#include "store/ProfileStore.h"
#include "store/ProgramPaths.h"

namespace pageui {

QLineEdit* digitsBox(QWidget* parent, const QString& objectName) {
    auto* box = textBox(parent, objectName);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), box));
    return box;
}

QLineEdit* textBox(QWidget* parent, const QString& objectName) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(objectName);
    return box;
}

QLabel* hintLabel(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor(90, 90, 90));
    label->setPalette(pal);
    return label;
}

void addRow(QGridLayout* grid, int row, const QString& label,
            std::initializer_list<QWidget*> fields, const QString& hint) {
    QWidget* parent = grid->parentWidget();
    if (!label.isEmpty()) grid->addWidget(new QLabel(label, parent), row, 0, Qt::AlignRight);
    auto* box = new QHBoxLayout;
    box->setSpacing(4);
    for (QWidget* f : fields) box->addWidget(f);
    box->addStretch();
    grid->addLayout(box, row, 1);
    if (!hint.isEmpty()) grid->addWidget(hintLabel(parent, hint), row, 2);
}

void setNumber(QLineEdit* box, int value) { box->setText(QString::number(value)); }

int number(const QLineEdit* box) { return atoiCompat(ss(box->text())); }

int findEntry(const QComboBox* list, const QString& text, bool secondFirst) {
    const int n = list->count();
    if (text.isEmpty() || n == 0) return -1;
    std::vector<int> order;
    if (secondFirst) {
        for (int i = 1; i < n; ++i) order.push_back(i);
        order.push_back(0);
    } else {
        for (int i = 0; i < n; ++i) order.push_back(i);
    }
    // An exact name wins over a longer one that merely begins with it (背景 before 背景2).
    for (int i : order)
        if (list->itemText(i).compare(text, Qt::CaseInsensitive) == 0) return i;
    for (int i : order)
        if (list->itemText(i).startsWith(text, Qt::CaseInsensitive)) return i;
    return -1;
}

void fillList(QComboBox* list, const std::vector<std::string>& names) {
    list->clear();
    for (const auto& n : names) list->addItem(qs(n));
}

PictureList::PictureList(QWidget* parent, const QString& objectName) : QComboBox(parent) {
    setObjectName(objectName);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(10);
}

void PictureList::load(const std::vector<std::string>& names, const std::string& stored) {
    stored_ = stored;
    fillList(this, names);
    setCurrentIndex(findEntry(this, qs(stored)));
    setToolTip(currentIndex() < 0 && !stored.empty()
                   ? QString("“%1”不在图片目录中，保存时保留原值").arg(qs(stored))
                   : QString());
}

std::string PictureList::value() const { return currentIndex() < 0 ? stored_ : ss(currentText()); }

PositionEditor::PositionEditor(QWidget* parent, bool withFollow) : QObject(parent) {
    xText = textBox(parent, "xText");
    yText = textBox(parent, "yText");
    xMode = new QComboBox(parent);
    xMode->setObjectName("xMode");
    yMode = new QComboBox(parent);
    yMode->setObjectName("yMode");
    xMode->addItems({"特殊选项", "水平居中"});
    yMode->addItems({"特殊选项", "上下居中"});
    if (withFollow) {
        xMode->addItem("自动跟随");
        yMode->addItem("自动跟随");
    }
    connect(xMode, &QComboBox::activated, this, [this](int i) { picked(xText, i); });
    connect(yMode, &QComboBox::activated, this, [this](int i) { picked(yText, i); });
}

void PositionEditor::picked(QLineEdit* box, int index) {
    if (index == 1) box->setText("X");
    if (index == 2) box->setText("Z");
}

namespace {
void loadAxis(QComboBox* list, QLineEdit* box, int mode, const std::string& text) {
    list->setCurrentIndex(mode >= 1 && mode <= list->count() ? mode - 1 : -1);
    box->setText(mode == 1 ? qs(text) : mode == 2 ? QString("X") : QString("Z"));
}
}  // namespace

void PositionEditor::load(const PositionPair& pos) {
    loadAxis(xMode, xText, pos.xMode, pos.x);
    loadAxis(yMode, yText, pos.yMode, pos.y);
}

void PositionEditor::save(PositionPair& pos) const {
    pos.xMode = xMode->currentIndex() + 1;
    pos.x = ss(xText->text());
    pos.yMode = yMode->currentIndex() + 1;
    pos.y = ss(yText->text());
}

void PositionEditor::setEnabled(bool on) {
    for (QWidget* w : {static_cast<QWidget*>(xText), static_cast<QWidget*>(xMode),
                       static_cast<QWidget*>(yText), static_cast<QWidget*>(yMode)})
        w->setEnabled(on);
}

ColourEditor::ColourEditor(QWidget* parent, const QString& boxName, const QString& pickerName)
    : QObject(parent) {
    box = textBox(parent, boxName);
    box->setMaximumWidth(90);
    picker = new CColorPicker(parent);
    picker->setObjectName(pickerName);
    connect(picker, &CColorPicker::colourChanged, box,
            [this] { box->setText(picker->colourText()); });
}

void ColourEditor::load(const std::string& text) {
    box->setText(qs(text));
    if (auto rgb = parseColour(text))
        picker->setColour(*rgb);
    else
        picker->showColour(0);
}

void ColourEditor::setEnabled(bool on) {
    box->setEnabled(on);
    picker->setEnabled(on);
}

std::vector<std::string> backgroundPictures(const char* prefix) {
    std::vector<std::string> names;
    listDataFolder(paths::kBackgrounds, prefix, ListMode::Files, names);
    return names;
}

}  // namespace pageui
