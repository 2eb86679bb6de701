#pragma once
// The small modal prompt with which the pages ask for the name of something new
// (a template, a coordinate index, a desktop-sync folder). It checks nothing: callers
// that need a unique or non-empty name check the result.

#include <QDialog>
#include <QString>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;

class CDlgCaption : public QDialog {
    Q_OBJECT
  public:
    // text supplies the box's first content and receives the typed text on confirm.
    CDlgCaption(const QString& caption, const QString& label, QString& text,
                QWidget* parent = nullptr);

    void accept() override;

  private:
    QString& text_;
    QLabel* label_;
    QLineEdit* edit_;
};

// Runs the prompt modally: 1 when confirmed ("确定" or Enter; text replaced by what was
// typed, exactly, empty allowed), 2 when cancelled (text unchanged).
int promptForName(QWidget* parent, const std::string& caption, const std::string& label,
                  std::string& text);

// The form the user-interaction interface needs: the label follows from the caption
// (see promptLabelFor); nullopt when cancelled.
std::optional<std::string> promptForName(QWidget* parent, const std::string& caption,
                                         const std::string& initial);

// "新建天气模板" -> "请输入新的天气模板名称：", and so for every "新建…" caption;
// any other caption gets the prompt's own label.
std::string promptLabelFor(const std::string& caption);
