#pragma once
// The main window: the four café-wide settings, the area list with its switch, and the
// commands that add, modify, delete, configure and preview areas.

#include <QDialog>
#include <functional>

#include "store/Configuration.h"

class CClickStatic;
class QCheckBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;

class CTest2Dlg : public QDialog {
    Q_OBJECT
  public:
    // Command numbers of the menus (and of the commands no menu carries).
    enum Command {
        kAbout = 104,
        kSysAbout = 16,
        kOfficialSite = 32776,
        kAddArea = 32780,
        kDeleteArea = 32781,
        kModifyArea = 32782,
        kConfigureArea = 32783,
        kApplyHere = 32784,
        kForum = 32789,
        kTutorial = 32790,
        kCheckUpdate = 32791,
        kShowcase = 32792,
    };

    explicit CTest2Dlg(QWidget* parent = nullptr);

    GlobalConfig& config() { return config_; }
    // The area the list last reported as changed; -1 for none.
    int currentArea() const { return current_; }
    void setCurrentArea(int row);

    // Reloads the model from desk.ini and shows it.
    void refresh();
    void command(int id);
    void onSave();
    void onSwitchClicked(bool checked);
    void onDoubleClick(int row);

    // How child dialogs are run (tests answer them without blocking).
    std::function<int(QDialog&)> runModal = [](QDialog& d) { return d.exec(); };

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void fill();
    bool validCurrent() const;
    bool requireSwitch();
    void addArea();
    void deleteArea();
    void modifyArea();
    void configureArea(int index);
    void applyHere();
    void checkUpdate();
    void showContextMenu(const QPoint& pos);

    GlobalConfig config_;
    int current_ = -1;
    QLineEdit* city_;
    QLineEdit* cafe_;
    QLineEdit* home_;
    QLineEdit* font_;
    QPushButton* save_;
    QCheckBox* switch_;
    QTableWidget* list_;
    QMenu* contextMenu_;
    CClickStatic* tutorialLink_;
    CClickStatic* siteLink_;
    CClickStatic* chatLink_;
};
