#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "framework/components/class_registry.h"

namespace dlk {

// A stored description that cannot be read; the text starts with "file:line: ".
class EReadError : public std::runtime_error {
public:
    EReadError(const std::string& file, int line, const std::string& message)
        : std::runtime_error(file + ":" + std::to_string(line) + ": " + message), line_(line) {}
    int Line() const { return line_; }

private:
    int line_;
};

struct DescriptionNode;

struct DescriptionProperty {
    std::string Name;
    StoredValue Value;
    int Line = 0;
};

// One object of a description: its name, class, and its properties and
// children in the order they are written.
struct DescriptionNode {
    std::string Name;
    std::string ClassName;
    int Line = 0;
    std::vector<std::variant<DescriptionProperty, std::unique_ptr<DescriptionNode>>> Items;
};

// The text of one window:
//   Name : Class { Property = value  Child : Class { ... } }
// Values: 12, -3, 0x1F, "text" (escapes \r \n \t \" \\), identifiers,
// @Reference, [a, b] sets, resource "path". '#' starts a comment.
DescriptionNode ParseDescription(std::string_view text, const std::string& file);

}  // namespace dlk
