#pragma once
// Controls the pages share: number boxes, the position editor (a text box and a mode list
// per axis), the colour editor (a text box beside a CColorPicker) and the picture lists.

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QString>
#include <string>
#include <vector>

#include "pages/CColorPicker.h"
#include "store/Encodings.h"

namespace pageui {

inline QString qs(const std::string& s) { return QString::fromStdString(s); }
inline std::string ss(const QString& s) { return s.toStdString(); }

// A box that takes only the digits 0-9 from the keyboard.
QLineEdit* digitsBox(QWidget* parent, const QString& objectName);
QLineEdit* textBox(QWidget* parent, const QString& objectName);
// A hint beside a field (grey text).
QLabel* hintLabel(QWidget* parent, const QString& text);
// One grid row: the label, the fields side by side, the hint (any of them may be empty).
void addRow(QGridLayout* grid, int row, const QString& label,
            std::initializer_list<QWidget*> fields, const QString& hint = {});

// "%d" into a box, atoi back out of it (an empty box gives 0).
void setNumber(QLineEdit* box, int value);
int number(const QLineEdit* box);

// Index of the entry equal to text (letter case ignored), else of the first entry that
// begins with it; the search runs from the second entry onward and then the first when
// secondFirst is set. -1 when nothing matches or text is empty.
int findEntry(const QComboBox* list, const QString& text, bool secondFirst = false);
// Empties the list and adds the names in order.
void fillList(QComboBox* list, const std::vector<std::string>& names);

// A picture list that keeps a stored name the folder does not hold: the list then has no
// selection and saving gives the stored name back instead of an empty one.
class PictureList : public QComboBox {
    Q_OBJECT
  public:
    PictureList(QWidget* parent, const QString& objectName);
    void load(const std::vector<std::string>& names, const std::string& stored);
    std::string value() const;

  private:
    std::string stored_;
};

class PositionEditor : public QObject {
    Q_OBJECT
  public:
    // withFollow adds "自动跟随" to both lists.
    PositionEditor(QWidget* parent, bool withFollow);
    void load(const PositionPair& pos);
    void save(PositionPair& pos) const;
    void setEnabled(bool on);

    QLineEdit* xText;
    QComboBox* xMode;
    QLineEdit* yText;
    QComboBox* yMode;

  private:
    static void picked(QLineEdit* box, int index);
};

class ColourEditor : public QObject {
    Q_OBJECT
  public:
    ColourEditor(QWidget* parent, const QString& boxName, const QString& pickerName);
    // The box gets the text; the swatch its colour (black when the text does not parse,
    // and then the box keeps the text as stored).
    void load(const std::string& text);
    std::string text() const { return ss(box->text()); }
    void setEnabled(bool on);

    QLineEdit* box;
    CColorPicker* picker;
};

// Picture names (without extension) in 数据/背景 that begin with prefix.
std::vector<std::string> backgroundPictures(const char* prefix);

}  // namespace pageui
