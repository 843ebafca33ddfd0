#include "framework/components/description_parser.h"

#include <cctype>

namespace dlk {

namespace {

class Parser {
public:
    Parser(std::string_view text, const std::string& file) : text_(text), file_(file) {}

    DescriptionNode ParseRoot() {
        SkipBlank();
        DescriptionNode root = ParseObject(ReadName("an object name"));
        SkipBlank();
        if (pos_ < text_.size()) Fail("text after the end of the window");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& message) const { throw EReadError(file_, line_, message); }

    void SkipBlank() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == ';') {
                ++pos_;
            } else if (c == '#') {
                while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
            } else {
                break;
            }
        }
    }

    bool Peek(char c) {
        SkipBlank();
        return pos_ < text_.size() && text_[pos_] == c;
    }

    void Expect(char c) {
        if (!Peek(c)) Fail(std::string("expected '") + c + "'");
        ++pos_;
    }

    static bool NameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

    // A name, possibly dotted (Font.Name).
    std::string ReadName(const char* what) {
        SkipBlank();
        const std::size_t start = pos_;
        while (pos_ < text_.size() && (NameChar(text_[pos_]) || (text_[pos_] == '.' && pos_ > start))) ++pos_;
        if (pos_ == start || std::isdigit(static_cast<unsigned char>(text_[start])))
            Fail(std::string("expected ") + what);
        return std::string(text_.substr(start, pos_ - start));
    }

    DescriptionNode ParseObject(std::string name) {
        DescriptionNode node;
        node.Name = std::move(name);
        node.Line = line_;
        Expect(':');
        node.ClassName = ReadName("a class name");
        Expect('{');
        while (!Peek('}')) {
            if (pos_ >= text_.size()) Fail("missing '}' of " + node.Name);
            const int line = line_;
            std::string item = ReadName("a property or an object");
            if (Peek(':')) {
                auto child = std::make_unique<DescriptionNode>(ParseObject(std::move(item)));
                child->Line = line;
                node.Items.emplace_back(std::move(child));
            } else {
                Expect('=');
                StoredValue value = ParseValue();
                node.Items.emplace_back(DescriptionProperty{std::move(item), std::move(value), line});
            }
        }
        ++pos_;
        return node;
    }

    StoredValue ParseValue() {
        SkipBlank();
        if (pos_ >= text_.size()) Fail("expected a value");
        const char c = text_[pos_];
        if (c == '"') return StoredValue::Str(ReadString());
        if (c == '@') {
            ++pos_;
            return StoredValue::Ref(ReadName("a component name after '@'"));
        }
        if (c == '[') {
            ++pos_;
            std::vector<std::string> items;
            if (!Peek(']')) {
                items.push_back(ReadName("a set member"));
                while (Peek(',')) {
                    ++pos_;
                    items.push_back(ReadName("a set member"));
                }
            }
            Expect(']');
            return StoredValue::SetOf(std::move(items));
        }
        if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) return StoredValue::Int(ReadInteger());
        std::string ident = ReadName("a value");
        if (ident == "resource") {
            SkipBlank();
            if (pos_ >= text_.size() || text_[pos_] != '"') Fail("expected the resource's path");
            StoredValue v = StoredValue::Str(ReadString());
            v.Kind = StoredValue::ValueKind::Resource;
            return v;
        }
        return StoredValue::Ident(std::move(ident));
    }

    std::int64_t ReadInteger() {
        bool negative = false;
        if (text_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        int base = 10;
        if (text_.substr(pos_, 2) == "0x" || text_.substr(pos_, 2) == "0X") {
            base = 16;
            pos_ += 2;
        }
        std::uint64_t value = 0;
        std::size_t digits = 0;
        while (pos_ < text_.size()) {
            const int d = DigitValue(text_[pos_]);
            if (d < 0 || d >= base) break;
            value = value * std::uint64_t(base) + std::uint64_t(d);
            if (value > 0xFFFFFFFFull) Fail("number too large");
            ++pos_;
            ++digits;
        }
        if (digits == 0) Fail("expected digits");
        if (pos_ < text_.size() && NameChar(text_[pos_])) Fail("bad number");
        return negative ? -std::int64_t(value) : std::int64_t(value);
    }

    static int DigitValue(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    std::string ReadString() {
        ++pos_;  // the opening quote
        std::string out;
        while (true) {
            if (pos_ >= text_.size() || text_[pos_] == '\n') Fail("unterminated string");
            const char c = text_[pos_++];
            if (c == '"') return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size()) Fail("unterminated string");
            switch (text_[pos_++]) {
                case 'r': out += '\r'; break;
                case 'n': out += '\n'; break;
                case 't': out += '\t'; break;
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                default: Fail("unknown escape in string");
            }
        }
    }

    std::string_view text_;
    const std::string& file_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace

DescriptionNode ParseDescription(std::string_view text, const std::string& file) {
    return Parser(text, file).ParseRoot();
}

}  // namespace dlk
