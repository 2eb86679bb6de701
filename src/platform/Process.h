#pragma once
// Starting another program and ending this one. The editor uses the real implementation;
// tests install RecordingProcess, which records the command line and the exit request
// instead of starting anything or ending the test.

#include <optional>
#include <string>
#include <vector>

namespace process {

class ProcessControl {
  public:
    virtual ~ProcessControl() = default;
    // Starts the program detached with the arguments as a list (no shell, no word
    // splitting), so an argument can never become a second command. Paths are UTF-8.
    virtual bool startDetached(const std::string& program,
                               const std::vector<std::string>& args) = 0;
    // Ends the process with the code. The real implementation does not return; a test
    // double does, so callers must return right after calling it.
    virtual void exitProcess(int code) = 0;
};

// The installed implementation (the real one until something else is installed).
ProcessControl& current();
// Installs an implementation (not owned); nullptr restores the real one.
void install(ProcessControl* impl);

// Test double.
class RecordingProcess : public ProcessControl {
  public:
    struct Start {
        std::string program;
        std::vector<std::string> args;
        // Program and arguments joined by single spaces, as the user would read it.
        std::string commandLine() const;
    };
    std::vector<Start> starts;
    std::optional<int> exitCode;  // set when exitProcess was called
    bool startSucceeds = true;

    bool startDetached(const std::string& program, const std::vector<std::string>& args) override;
    void exitProcess(int code) override;
};

class ScopedProcess {
  public:
    explicit ScopedProcess(ProcessControl& impl) { install(&impl); }
    ~ScopedProcess() { install(nullptr); }
    ScopedProcess(const ScopedProcess&) = delete;
    ScopedProcess& operator=(const ScopedProcess&) = delete;
};

}  // namespace process
