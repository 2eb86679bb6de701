#pragma once
// Adds an area made from a reference area's configuration, or changes an area's name and
// address range.

#include <QDialog>

struct GlobalConfig;
class QComboBox;
class QLineEdit;
class QPushButton;

class CArearDlg : public QDialog {
    Q_OBJECT
  public:
    enum Mode { Add = 1, Modify = 2 };
    // areaIndex is the area being modified (ignored when adding).
    CArearDlg(GlobalConfig& config, Mode mode, int areaIndex, QWidget* parent = nullptr);

    // The OK button: check, save, and close with Accepted when the save worked.
    void onOk();

  private:
    GlobalConfig& config_;
    Mode mode_;
    int index_;
    QLineEdit* name_;
    QLineEdit* startIp_;
    QLineEdit* endIp_;
    QComboBox* reference_;
};
