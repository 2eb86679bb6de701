#pragma once
// A small streaming JSON writer for deskcfg's output (UTF-8, two-space indent).

#include <string>
#include <string_view>
#include <vector>

class JsonWriter {
public:
    void beginObject(std::string_view key = {});
    void endObject();
    void beginArray(std::string_view key = {});
    void endArray();
    void value(std::string_view key, std::string_view text);
    void value(std::string_view key, const char* text) { value(key, std::string_view(text)); }
    void value(std::string_view key, const std::string& text) { value(key, std::string_view(text)); }
    void value(std::string_view key, long long number);
    void value(std::string_view key, int number) { value(key, static_cast<long long>(number)); }
    void value(std::string_view key, bool flag);
    // Array elements.
    void element(std::string_view text);

    const std::string& str() const { return out_; }
    static std::string escape(std::string_view text);

private:
    void prefix(std::string_view key);
    std::string out_;
    std::vector<bool> first_;  // per open container: no element written yet
};
