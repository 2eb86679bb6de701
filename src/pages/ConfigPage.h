#pragma once
// The protocol of the eight pages of the area configuration window.
//
// A page is bound to its record inside the area (attachArea, which calls the page's own
// attachSection), fills its controls from the record (loadPage) and copies them back
// (savePage) only when the window saves. Enter and Escape stop at the page, so that
// neither key closes the area window while the operator types.
//
// Adding a page of your own: derive from ConfigPage, give it the constructor
// `explicit CWatherDlg(QWidget* parent = nullptr)` (or CNoticeDlg, CTuBiaoDlg), and put the
// header at src/pages/<Class>.h. The area window includes it when the header exists and
// creates the page in place of the tab's placeholder (see CArearCfgDlg.cpp, createPage).

#include <QWidget>

struct ArearConfig;
class CArearCfgDlg;

class ConfigPage : public QWidget {
    Q_OBJECT
  public:
    explicit ConfigPage(QWidget* parent = nullptr);

    // Binds the page to its section of the area. host is the window the page sits in
    // (nullptr in tests that build a page alone); areaIndex the area's index in the list.
    virtual void attachArea(ArearConfig& area, CArearCfgDlg* host, int areaIndex) = 0;
    // Controls from the record; nothing when no record is attached.
    virtual void loadPage() = 0;
    // Record from the controls; nothing when no record is attached.
    virtual void savePage() = 0;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};
