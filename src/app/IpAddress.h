#pragma once
// Dotted IPv4 text as the address fields of the area dialog accept it.

#include <QValidator>
#include <optional>
#include <string>
#include <string_view>

namespace ipv4 {
// "192.168.001.010" -> "192.168.1.10"; blank -> "0.0.0.0" (an untouched field reads as
// zero); anything else that is not four numbers 0..255 -> nullopt.
std::optional<std::string> normalise(std::string_view text);
}  // namespace ipv4

// Lets through only what can still become a dotted IPv4 address while it is typed.
class Ipv4Validator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};
