#include "platform/Process.h"

#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

namespace process {
namespace {

class RealProcess : public ProcessControl {
  public:
    bool startDetached(const std::string& program, const std::vector<std::string>& args) override {
        QStringList list;
        for (const auto& a : args) list << QString::fromStdString(a);
        return QProcess::startDetached(QDir::toNativeSeparators(QString::fromStdString(program)),
                                       list);
    }
    void exitProcess(int code) override {
        // Like ending the process outright: no static destructors run while windows and
        // the application object still exist. Files are written atomically, so only
        // buffered console output needs flushing.
        std::fflush(nullptr);
        std::_Exit(code);
    }
};

RealProcess g_real;
ProcessControl* g_current = &g_real;

}  // namespace

ProcessControl& current() { return *g_current; }

void install(ProcessControl* impl) { g_current = impl ? impl : &g_real; }

std::string RecordingProcess::Start::commandLine() const {
    std::string line = program;
    for (const auto& a : args) line += " " + a;
    return line;
}

bool RecordingProcess::startDetached(const std::string& program,
                                     const std::vector<std::string>& args) {
    starts.push_back({program, args});
    return startSucceeds;
}

void RecordingProcess::exitProcess(int code) { exitCode = code; }

}  // namespace process
