#pragma once
// The window in which the operator edits one area on eight tab pages and saves it.

#include <QDialog>
#include <array>
#include <memory>
#include <string>

#include "store/Status.h"

struct ArearConfig;
struct GlobalConfig;
class ConfigPage;
class QPushButton;
class QTabWidget;

class CArearCfgDlg : public QDialog {
    Q_OBJECT
  public:
    enum Tab {
        kGlobalTab,
        kIconTab,
        kTitleTab,
        kWeatherTab,
        kNoticeTab,
        kSloganTab,
        kDecalTab,
        kOtherTab,
        kTabCount
    };

    // The caller makes sure areaIndex designates an area of config.
    CArearCfgDlg(GlobalConfig& config, int areaIndex, QWidget* parent = nullptr);
    ~CArearCfgDlg() override;

    // The open area window of the process, or nullptr (the theme import reaches it here).
    static CArearCfgDlg* current();

    // The save request of the Save button, the icon page and the theme export: every page
    // into its record, then the full save. Without a package path the file is desk.ini and
    // the operator is asked whether to preview the area; with one, the area is written into
    // that package descriptor and nothing is asked. A value the desktop runtime could not
    // read whole, or a failed write, is reported and leaves the records as they were.
    Status saveRequest(const std::string& packagePath = {});

    // Binds and fills every page again from the area record (after a theme import has
    // replaced the area's sections); what the pages now show counts as saved.
    void reloadPages(ArearConfig& area);

    // Whether the pages hold edits that the last save did not write.
    bool hasUnsavedEdits();

    GlobalConfig& config() const { return config_; }
    int areaIndex() const { return areaIndex_; }
    ArearConfig& area() const;
    ConfigPage* page(int tab) const { return pages_[static_cast<std::size_t>(tab)]; }
    QTabWidget* tabs() const { return tabs_; }

  public slots:
    // Escape, the close box: asks before dropping unsaved edits.
    void reject() override;
    void accept() override;

  private:
    struct Snapshot;
    void attachAndLoad(ArearConfig& area);
    void savePages();
    std::unique_ptr<Snapshot> snapshot() const;
    void restore(const Snapshot& s);
    void takeBaseline();
    bool confirmClose();

    GlobalConfig& config_;
    int areaIndex_;
    QTabWidget* tabs_;
    QPushButton* saveButton_;
    std::array<ConfigPage*, kTabCount> pages_{};
    std::unique_ptr<Snapshot> saved_;     // the records as the last save (or opening) left them
    std::unique_ptr<Snapshot> baseline_;  // what the pages would have saved at that moment
};
