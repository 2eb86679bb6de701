#pragma once
// The "图标功能" page: icon effect, icon arrangement with its coordinate index, and desktop
// sync with its sync folder, for one area. From here the operator also captures the
// café-wide coordinate indices from this machine's desktop and makes the desktop-sync
// folders.

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <functional>
#include <string>
#include <vector>

#include "pages/ConfigPage.h"
#include "pages/PageWidgets.h"

struct IconSection;

class CTuBiaoDlg : public ConfigPage {
    Q_OBJECT
  public:
    explicit CTuBiaoDlg(QWidget* parent = nullptr);

    void attachSection(IconSection& record, CArearCfgDlg* host, const std::string& areaName);
    void attachArea(ArearConfig& area, CArearCfgDlg* host, int areaIndex) override;
    void loadPage() override;
    void savePage() override;

    // How the page has its area window save after changing the coordinate indices: every
    // page into its record, the full save, the preview question. True when it was saved.
    // The program installs it once (the pages cannot reach the window's code themselves);
    // a page can also be given its own, as tests do.
    using HostSaveRequest = std::function<bool(CArearCfgDlg*)>;
    static void setHostSaveRequest(HostSaveRequest request);
    void setSaveRequest(std::function<bool()> request) { saveRequest_ = std::move(request); }

    // The area name, or the area name followed by 1, 2, … until no entry of taken equals it.
    static std::string suggestName(const std::string& base, const std::vector<std::string>& taken);

    // Background size presets of list 1021 (item 0 puts back the stored size).
    static const std::vector<std::pair<const char*, const char*>>& presets();

  private:
    void applyEffectRule();
    void applyArrangementRule();
    void applySyncRule();
    void presetChosen(int index);
    void choosePicture();
    void newIndex();
    void rebuildIndex();
    void deleteIndex();
    void newSyncFolder();
    void resetSyncFolder();
    void deleteSyncFolder();
    void fillIndices();
    void fillSyncFolders(const std::string& select);
    bool requestSave();
    std::vector<std::string> listed(const QComboBox* list) const;

    IconSection* record_ = nullptr;
    CArearCfgDlg* host_ = nullptr;
    std::string areaName_;
    std::function<bool()> saveRequest_;

    QCheckBox* effectOn_;
    QComboBox* preset_;
    QLineEdit* backgroundSize_;
    QLineEdit* picture_;
    QPushButton* randomButton_;
    QPushButton* chooseButton_;
    QCheckBox* sideBarOn_;
    QLineEdit* sideBarWidth_;

    QCheckBox* arrangeOn_;
    QComboBox* arrangeCount_;
    QComboBox* indices_;
    QPushButton* newIndexButton_;
    QPushButton* rebuildIndexButton_;
    QPushButton* deleteIndexButton_;

    QCheckBox* syncOn_;
    QCheckBox* clean_;
    QComboBox* syncFolders_;
    QPushButton* newSyncButton_;
    QPushButton* resetSyncButton_;
    QPushButton* deleteSyncButton_;
};
