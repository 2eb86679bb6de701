#include "package/ThemePackage.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <utility>

#include "desktop/FolderUtils.h"
#include "package/Zip.h"
#include "platform/UserInteraction.h"
#include "store/Configuration.h"
#include "store/Encodings.h"
#include "store/FileIo.h"
#include "store/ProfileStore.h"
#include "store/ProgramPaths.h"
#include "store/TemplateStore.h"

namespace fs = std::filesystem;

namespace {
const std::vector<FileFilter> kPackageFilter{{"k4p文件(*.k4p)", "*.k4p"}};

std::string normalised(std::string s) {
    for (char& c : s)
        if (c == '\\') c = '/';
    return s;
}

// The entry when it stays inside the package folder as written, else nothing.
std::optional<std::string> insideEntry(const std::string& relative) {
    const std::string n = normalised(relative);
    auto safe = safeEntryName(n);
    if (!safe || *safe != n) return std::nullopt;
    return safe;
}

void addPicture(std::vector<PackagePicture>& out, std::string source, const std::string& entry) {
    if (auto e = insideEntry(entry)) out.push_back({std::move(source), *e});
}

void addBackground(std::vector<PackagePicture>& out, const std::string& value) {
    if (value.empty()) return;
    const std::string relative = std::string(paths::kBackgrounds) + "/" + value + ".png";
    addPicture(out, paths::inProgram(relative), relative);
}

// The descriptor read into records of its own; the live store is not touched.
struct Descriptor {
    GlobalConfig config;
    ProfileStore store;
    explicit Descriptor(const std::string& path) : store(path) {}
};

Status loadDescriptor(const std::string& path, std::unique_ptr<Descriptor>& out) {
    std::error_code ec;
    if (!fs::is_regular_file(fsPath(path), ec))
        return Status::failure(std::string("主题包中没有配置文件 ") + theme::kDescriptorName + "。");
    auto d = std::make_unique<Descriptor>(path);
    LoadGlobalConfig(d->store, d->config);
    loadWeatherTemplates(d->store);
    loadNoticeTemplates(d->store);
    if (d->config.areas.empty()) return Status::failure("主题包的配置文件中没有分区配置。");
    if (d->store.weatherTemplates.empty()) return Status::failure("主题包的配置文件中没有天气模板。");
    if (d->store.noticeTemplates.empty()) return Status::failure("主题包的配置文件中没有公告模板。");
    out = std::move(d);
    return Status::success();
}

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// An empty staging folder (left-overs a previous run could not delete included).
bool resetFolder(const std::string& folder) {
    removeFolderTree(folder);
    createFolder(folder);
    return folderExists(folder);
}

// True when path lies in folder or below it (the folder is emptied around the operation).
bool insideFolder(const std::string& path, const std::string& folder) {
    std::error_code ec;
    const fs::path p = fs::weakly_canonical(fsPath(path), ec);
    if (ec) return false;
    const fs::path f = fs::weakly_canonical(fsPath(folder), ec);
    if (ec) return false;
    auto pi = p.begin();
    for (auto fi = f.begin(); fi != f.end(); ++fi, ++pi) {
        if (fi->empty()) continue;  // a trailing separator
        if (pi == p.end() || *pi != *fi) return false;
    }
    return true;
}

ThemeResult failed(std::string why, std::string path = {}) {
    return {ThemeOutcome::Failed, std::move(why), std::move(path)};
}

// --- moving the unpacked pictures into the program folder, undoable until committed

bool moveFile(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (!ec) return true;
    // Another file system (a linked data folder): copy, then remove.
    if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec)) return false;
    fs::remove(from, ec);
    return true;
}

class PicturePlacement {
public:
    PicturePlacement(fs::path program, fs::path backups)
        : program_(std::move(program)), backups_(std::move(backups)) {}
    ~PicturePlacement() {
        if (!committed_) rollback();
    }
    Status place(const fs::path& unpacked, const std::string& relative);
    void commit() { committed_ = true; }
    std::size_t count() const { return placed_.size(); }

private:
    struct Placed {
        fs::path dest;
        fs::path backup;  // empty: nothing was there before
    };
    void rollback();
    fs::path program_, backups_;
    std::vector<Placed> placed_;
    std::vector<fs::path> createdFolders_;
    bool committed_ = false;
};

Status PicturePlacement::place(const fs::path& unpacked, const std::string& relative) {
    const fs::path dest = program_ / fsPath(relative);
    std::error_code ec;
    std::vector<fs::path> missing;
    for (fs::path p = dest.parent_path(); !p.empty() && p != program_ && !fs::exists(p, ec);
         p = p.parent_path())
        missing.push_back(p);
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (!fs::create_directory(*it, ec) && !fs::is_directory(*it, ec))
            return Status::failure("无法创建文件夹“" + utf8Path(*it) + "”。");
        createdFolders_.push_back(*it);
    }
    if (fs::is_directory(dest, ec))
        return Status::failure("无法放置图片“" + relative + "”：同名文件夹已存在。");
    Placed placed{dest, {}};
    if (fs::exists(fs::symlink_status(dest, ec))) {
        placed.backup = backups_ / fsPath(relative);
        fs::create_directories(placed.backup.parent_path(), ec);
        if (!moveFile(dest, placed.backup))
            return Status::failure("无法替换图片“" + utf8Path(dest) + "”。");
    }
    if (!moveFile(unpacked, dest)) {
        if (!placed.backup.empty()) moveFile(placed.backup, dest);
        return Status::failure("无法写入图片“" + utf8Path(dest) + "”。");
    }
    placed_.push_back(std::move(placed));
    return Status::success();
}

void PicturePlacement::rollback() {
    std::error_code ec;
    for (auto it = placed_.rbegin(); it != placed_.rend(); ++it) {
        fs::remove(it->dest, ec);
        if (!it->backup.empty()) moveFile(it->backup, it->dest);
    }
    placed_.clear();
    for (auto it = createdFolders_.rbegin(); it != createdFolders_.rend(); ++it)
        fs::remove(*it, ec);  // only while empty
    createdFolders_.clear();
}

// Only the folders a theme carries pictures in; anything else in a package (a desk.ini,
// a library, an executable) never reaches the program folder.
bool pictureEntry(const std::string& relative) {
    const std::string roots[] = {paths::kWallpapers, paths::kIllustrations, paths::kIconEffects,
                                 paths::kBackgrounds};
    for (const auto& root : roots)
        if (relative.size() > root.size() + 1 && relative.compare(0, root.size(), root) == 0 &&
            relative[root.size()] == '/')
            return true;
    return false;
}

Status placePictures(const fs::path& unpacked, const fs::path& skip, PicturePlacement& placement) {
    std::error_code ec;
    std::vector<std::pair<fs::path, std::string>> files;
    for (fs::recursive_directory_iterator it(unpacked, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code sec;
        if (fs::equivalent(it->path(), skip, sec)) {
            it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file(sec)) continue;
        const std::u8string generic = fs::relative(it->path(), unpacked, sec).generic_u8string();
        std::string relative(reinterpret_cast<const char*>(generic.data()), generic.size());
        if (sec || !pictureEntry(relative)) continue;
        files.emplace_back(it->path(), std::move(relative));
    }
    if (ec) return Status::failure("无法读取解压后的主题包。");
    for (const auto& [path, relative] : files)
        if (Status st = placement.place(path, relative); !st) return st;
    return Status::success();
}

template <typename T>
struct TemplateSwap {
    std::vector<std::unique_ptr<T>>& list;
    std::vector<std::pair<std::size_t, std::unique_ptr<T>>> removed;  // original positions
    bool appended = false;

    // Puts the package's template in, in place of any with its guid.
    void apply(const T& carried) {
        for (std::size_t i = list.size(); i-- > 0;)
            if (list[i]->guid == carried.guid) {
                removed.emplace_back(i, std::move(list[i]));
                list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            }
        list.push_back(std::make_unique<T>(carried));
        appended = true;
    }
    void undo() {
        if (appended) list.pop_back();
        for (auto it = removed.rbegin(); it != removed.rend(); ++it)
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(it->first), std::move(it->second));
        removed.clear();
        appended = false;
    }
};

// The template the package area refers to; the descriptor's first when none matches.
template <typename T>
const T& carriedTemplate(const std::vector<std::unique_ptr<T>>& list, const std::string& guid) {
    for (const auto& t : list)
        if (t->guid == guid) return *t;
    return *list.front();
}
}  // namespace

// ------------------------------------------------------------------ pictures

std::vector<PackagePicture> packagePictures(const ArearConfig& area) {
    std::vector<PackagePicture> out;
    const SkinSection& skin = area.skin;
    if (!skin.randomWallpaper && !skin.fixedWallpaper.empty()) {
        std::string folder = skin.wallpaperFolder.empty() ? paths::inProgram(paths::kWallpapers)
                                                          : skin.wallpaperFolder;
        addPicture(out, paths::join(folder, skin.fixedWallpaper),
                   std::string(paths::kWallpapers) + "/" + skin.fixedWallpaper);
    }
    if (area.decal.illustrationsShown && !area.decal.illustrationContent.empty()) {
        for (const std::string& field : splitFields(area.decal.illustrationContent)) {
            std::size_t cut = field.find('_');
            if (cut == std::string::npos || cut == 0) continue;
            const std::string relative =
                std::string(paths::kIllustrations) + "/" + field.substr(0, cut);
            addPicture(out, paths::inProgram(relative), relative);
        }
    }
    const IconSection& icon = area.icon;
    if (icon.backgroundEffectOn && !icon.backgroundPicture.empty() &&
        icon.backgroundPicture != kRandomPicture) {
        const std::string relative = std::string(paths::kIconEffects) + "/" + icon.backgroundPicture;
        addPicture(out, paths::inProgram(relative), relative);
    }
    addBackground(out, area.nameColumn.titleBackground);
    addBackground(out, area.nameColumn.bodyBackground);
    addBackground(out, area.notice.titleBackground);
    addBackground(out, area.notice.bodyBackground);
    addBackground(out, area.notice.divider);
    addBackground(out, area.weather.weatherBackground);
    addBackground(out, area.weather.calendarBackground);
    return out;
}

// ------------------------------------------------------------------ export

namespace {
ThemeResult exportTo(const SaveRequest& save, const std::string& packagePath) {
    const std::string staging = paths::inProgram(theme::kStagingFolder);
    if (insideFolder(packagePath, staging))
        return failed("主题包不能保存在临时文件夹“" + staging + "”中，请换一个位置。", packagePath);
    if (!resetFolder(staging))
        return failed("无法创建临时文件夹“" + staging + "”。", packagePath);
    struct Cleanup {
        std::string folder;
        ~Cleanup() { resetFolder(folder); }
    } cleanup{staging};

    const std::string descriptor = paths::join(staging, theme::kDescriptorName);
    if (!save) return failed("没有可导出的分区配置。", packagePath);
    if (Status st = save(descriptor); !st) return failed(st.message, packagePath);

    std::error_code ec;
    if (!fs::is_regular_file(fsPath(descriptor), ec))
        return failed("配置文件未能写入主题包。", packagePath);
    Descriptor d(descriptor);
    LoadGlobalConfig(d.store, d.config);
    if (d.config.areas.empty()) return failed("配置文件中没有分区配置。", packagePath);

    for (const PackagePicture& picture : packagePictures(*d.config.areas.front())) {
        const fs::path from = fsPath(picture.source);
        if (!fs::is_regular_file(from, ec)) continue;  // a picture that is not there is not carried
        const fs::path to = fsPath(staging) / fsPath(picture.entry);
        fs::create_directories(to.parent_path(), ec);
        if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec))
            return failed("无法复制图片“" + picture.source + "”：" + ec.message(), packagePath);
    }
    if (Status st = zipFolder(staging, packagePath); !st) return failed(st.message, packagePath);
    return {ThemeOutcome::Done, {}, packagePath};
}
}  // namespace

ThemeResult exportThemePackage(const SaveRequest& save, bool quiet) {
    std::string chosen;
    if (!chooseSaveFile(kPackageFilter, paths::inProgram(theme::kThemesFolder), chosen))
        return {ThemeOutcome::Cancelled, {}, {}};
    if (!endsWith(chosen, theme::kExtension)) chosen += theme::kExtension;
    ThemeResult result = exportTo(save, chosen);
    if (!quiet) {
        const bool ok = result.outcome == ThemeOutcome::Done;
        std::string text = ok ? theme::kExported : theme::kExportFailed;
        if (!ok && !result.message.empty()) text += "\n" + result.message;
        ui::current().message(text, theme::kExportCaption, ui::Icon::Warning, ui::Buttons::Ok);
    }
    return result;
}

// ------------------------------------------------------------------ import

Status applyThemeDescriptor(ProfileStore& store, GlobalConfig& config,
                            const std::string& descriptorPath, int areaIndex) {
    if (areaIndex < 0 || static_cast<std::size_t>(areaIndex) >= config.areas.size())
        return Status::failure("要导入主题的分区不存在。");
    std::unique_ptr<Descriptor> d;
    if (Status st = loadDescriptor(descriptorPath, d); !st) return st;
    const ArearConfig& source = *d->config.areas.front();
    ArearConfig& area = *config.areas[static_cast<std::size_t>(areaIndex)];

    const NoticeTemplate& notice = carriedTemplate(d->store.noticeTemplates, source.notice.templateGuid);
    const WeatherTemplate& weather =
        carriedTemplate(d->store.weatherTemplates, source.weather.templateGuid);

    const ArearConfig before = [&] {
        ArearConfig copy;
        CopyFromReference(copy, area);
        return copy;
    }();
    TemplateSwap<NoticeTemplate> notices{store.noticeTemplates, {}, false};
    TemplateSwap<WeatherTemplate> weathers{store.weatherTemplates, {}, false};
    notices.apply(notice);
    weathers.apply(weather);

    area.notice = source.notice;
    area.notice.templateGuid = notice.guid;
    area.skin = source.skin;
    area.slogan = source.slogan;
    area.decal = source.decal;
    area.nameColumn = source.nameColumn;
    area.icon = source.icon;
    area.weather = source.weather;
    area.weather.templateGuid = weather.guid;

    Status st = SaveEverything(store, config);
    if (!st) {
        area.notice = before.notice;
        area.skin = before.skin;
        area.slogan = before.slogan;
        area.decal = before.decal;
        area.nameColumn = before.nameColumn;
        area.icon = before.icon;
        area.weather = before.weather;
        weathers.undo();
        notices.undo();
    }
    return st;
}

namespace {
ThemeResult importFrom(ProfileStore& store, GlobalConfig& config, int areaIndex,
                       const std::string& packagePath) {
    const std::string unpacked = paths::inProgram(theme::kImportFolder);
    if (insideFolder(packagePath, unpacked))
        return failed("请先把主题包移出临时文件夹“" + unpacked + "”。", packagePath);
    removeFolderTree(unpacked);
    struct Cleanup {
        std::string folder;
        ~Cleanup() { removeFolderTree(folder); }
    } cleanup{unpacked};
    if (!createFolder(unpacked)) return failed("无法创建临时文件夹“" + unpacked + "”。", packagePath);

    if (Status st = unzipToFolder(packagePath, unpacked); !st) return failed(st.message, packagePath);
    const std::string descriptor = paths::join(unpacked, theme::kDescriptorName);
    {
        std::unique_ptr<Descriptor> check;
        if (Status st = loadDescriptor(descriptor, check); !st) return failed(st.message, packagePath);
    }
    const fs::path backups = fsPath(unpacked) / ".replaced";
    PicturePlacement placement(fsPath(paths::programFolder()), backups);
    if (Status st = placePictures(fsPath(unpacked), backups, placement); !st)
        return failed(st.message, packagePath);
    if (Status st = applyThemeDescriptor(store, config, descriptor, areaIndex); !st)
        return failed(st.message, packagePath);
    placement.commit();
    return {ThemeOutcome::Done, {}, packagePath};
}
}  // namespace

ThemeResult importThemePackage(ProfileStore& store, GlobalConfig& config, int areaIndex,
                               const ImportHooks& hooks) {
    ui::UserInteraction& ui = ui::current();
    if (ui.message(theme::kSaveFirstQuestion, ui::kCaption, ui::Icon::Information,
                   ui::Buttons::YesNo) == ui::Answer::Yes) {
        ThemeResult saved = exportThemePackage(hooks.save, true);
        if (saved.outcome == ThemeOutcome::Failed) {
            // Going on would overwrite the settings the user asked to keep.
            std::string text = std::string(theme::kExportFailed) + "\n" + saved.message +
                               "\n主题未导入，当前配置没有改变。";
            ui.message(text, ui::kCaption, ui::Icon::Warning, ui::Buttons::Ok);
            return saved;
        }
    }
    std::string chosen;
    if (!chooseOpenFile(kPackageFilter, paths::inProgram(theme::kThemesFolder), true, chosen))
        return {ThemeOutcome::Cancelled, {}, {}};

    ThemeResult result = importFrom(store, config, areaIndex, chosen);
    if (result.outcome != ThemeOutcome::Done) {
        ui.message(std::string(theme::kImportFailed) + "\n" + result.message +
                       "\n当前配置没有改变。",
                   ui::kCaption, ui::Icon::Warning, ui::Buttons::Ok);
        return result;
    }
    if (hooks.reloadPages) hooks.reloadPages();
    if (ui.message(theme::kPreviewQuestion, ui::kCaption, ui::Icon::Question, ui::Buttons::YesNo) ==
            ui::Answer::Yes &&
        hooks.preview)
        hooks.preview(config.areas[static_cast<std::size_t>(areaIndex)]->name);
    return result;
}
