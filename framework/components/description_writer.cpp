#include "framework/components/description_writer.h"

#include "framework/components/class_registry.h"

namespace dlk {

namespace {

std::string Quote(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            default: out += c;
        }
    }
    return out + "\"";
}

std::string ValueText(const StoredValue& v) {
    switch (v.Kind) {
        case StoredValue::ValueKind::Integer: return std::to_string(v.Integer);
        case StoredValue::ValueKind::String: return Quote(v.Text);
        case StoredValue::ValueKind::Identifier: return v.Text;
        case StoredValue::ValueKind::Reference: return "@" + v.Text;
        case StoredValue::ValueKind::Resource: return "resource " + Quote(v.Text);
        case StoredValue::ValueKind::Set: {
            std::string out = "[";
            for (std::size_t i = 0; i < v.Items.size(); ++i) out += (i ? ", " : "") + v.Items[i];
            return out + "]";
        }
    }
    return {};
}

void WriteObject(std::string& out, const TComponent& c, const TComponent& root, int depth) {
    const std::string indent(std::size_t(depth) * 2, ' ');
    out += indent + c.Name() + " : " + c.ClassName() + " {\n";
    c.ClassType().ForEachProperty([&](const PropertyInfo& p) {
        if (std::optional<StoredValue> v = c.ClassType().StoredValueOf(p, c))
            out += indent + "  " + p.Name + " = " + ValueText(*v) + "\n";
    });
    TFiler filer = TFiler::ForWriting();
    const_cast<TComponent&>(c).DefineProperties(filer);
    for (const auto& [name, value] : filer.Written()) out += indent + "  " + name + " = " + ValueText(value) + "\n";
    c.GetChildren([&](TComponent* child) { WriteObject(out, *child, root, depth + 1); },
                  const_cast<TComponent*>(&root));
    out += indent + "}\n";
}

}  // namespace

std::string WriteComponent(const TComponent& root) {
    std::string out;
    WriteObject(out, root, root, 0);
    return out;
}

}  // namespace dlk
