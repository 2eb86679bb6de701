#pragma once
#include <string>
#include <utility>

// Result of an operation that can fail in a way the user must hear about.
struct Status {
    bool ok = true;
    std::string message;  // why it failed, in the UI's language

    static Status success() { return {}; }
    static Status failure(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};
