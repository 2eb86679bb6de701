#pragma once
// A label that opens a web address when clicked: blue text, hand cursor, underlined while
// the mouse is over it.

#include <QLabel>
#include <string>

class CClickStatic : public QLabel {
    Q_OBJECT
  public:
    explicit CClickStatic(const QString& text = {}, QWidget* parent = nullptr);

    void setAddress(const std::string& address) { address_ = address; }
    const std::string& address() const { return address_; }
    bool hovering() const { return hover_; }

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void setHover(bool on);

    bool hover_ = false;
    bool pressed_ = false;
    std::string address_;
};
