// A stand-in for the desktop runtime library: records every call (and its own loading and
// unloading) by appending a line to the file named by TAVRIN_FAKE_DESK_LOG.

#include <QCoreApplication>
#include <QMetaObject>
#include <cstdio>
#include <cstdlib>
#include <string>

#if defined(_WIN32)
#define FAKE_EXPORT extern "C" __declspec(dllexport)
#else
#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {
void record(const std::string& line) {
    const char* path = std::getenv("TAVRIN_FAKE_DESK_LOG");
    if (!path) return;
    if (FILE* f = std::fopen(path, "ab")) {
        std::fwrite(line.data(), 1, line.size(), f);
        std::fputc('\n', f);
        std::fclose(f);
    }
}

struct LoadWatch {
    LoadWatch() { record("load"); }
    ~LoadWatch() { record("unload"); }
} g_watch;
}  // namespace

#ifndef FAKE_WITHOUT_EXPORTS
FAKE_EXPORT void RunDesk(const char* area) { record(std::string("RunDesk ") + area); }

FAKE_EXPORT void StartPaperCenter(int arg) {
    record("StartPaperCenter " + std::to_string(arg));
    // The real wallpaper centre ends the process's event loop when it closes.
    if (std::getenv("TAVRIN_FAKE_DESK_QUIT") && QCoreApplication::instance())
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);
}
#endif
