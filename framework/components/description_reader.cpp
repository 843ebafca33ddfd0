#include "framework/components/description_reader.h"

#include <QFile>
#include <vector>

namespace dlk {

namespace {

struct Fixup {
    TComponent* Component;
    const PropertyInfo* Property;
    StoredValue Value;
    int Line;
};

class DescriptionReader : public TReader {
public:
    DescriptionReader(TComponent& root, const std::string& file) : root_(root), file_(file) {}

    void Read(const DescriptionNode& top) {
        root_.SetName(top.Name);
        Begin(root_);
        node_ = &top;
        root_.ReadState(*this);
        ResolveReferences();
        for (TComponent* c : read_) c->ClearState(csReading);
        for (TComponent* c : read_) c->Loaded();
        root_.AfterRead();
    }

    TComponent& Root() const override { return root_; }

    void ReadData(TComponent& component) override {
        if (node_ == nullptr) throw EPropertyError("ReadData outside ReadState");
        const DescriptionNode* node = node_;
        node_ = nullptr;  // once per object
        ApplyItems(*node, component);
    }

private:
    void Begin(TComponent& c) {
        c.SetState(csLoading | csReading);
        read_.push_back(&c);
    }

    void ApplyItems(const DescriptionNode& node, TComponent& target) {
        for (const auto& item : node.Items) {
            if (const auto* property = std::get_if<DescriptionProperty>(&item))
                ApplyProperty(target, *property);
            else
                ReadChild(*std::get<std::unique_ptr<DescriptionNode>>(item), target);
        }
    }

    void ReadChild(const DescriptionNode& node, TComponent& parent) {
        const ClassInfo* info = FindClass(node.ClassName);
        if (info == nullptr || !info->Create) Fail(node.Line, "unknown class " + node.ClassName);
        if (root_.FindComponent(node.Name) != nullptr || node.Name == root_.Name())
            Fail(node.Line, "a second component named " + node.Name);
        TComponent* child = info->Create(&root_);
        child->SetName(node.Name);
        Begin(*child);
        const DescriptionNode* outerNode = node_;
        TComponent* outerParent = parent_;
        node_ = &node;
        parent_ = &parent;
        try {
            child->ReadState(*this);
        } catch (const EReadError&) {
            throw;
        } catch (const std::exception& e) {
            Fail(node.Line, node.Name + ": " + e.what());
        }
        node_ = outerNode;
        parent_ = outerParent;
    }

    void ApplyProperty(TComponent& target, const DescriptionProperty& property) {
        const PropertyInfo* info = target.ClassType().FindProperty(property.Name);
        try {
            if (info == nullptr) {
                TFiler filer = TFiler::ForReading(property.Name, property.Value);
                target.DefineProperties(filer);
                if (!filer.Handled())
                    Fail(property.Line, std::string(target.ClassName()) + " has no property " + property.Name);
            } else if (property.Value.Kind == StoredValue::ValueKind::Reference) {
                fixups_.push_back({&target, info, property.Value, property.Line});
            } else {
                info->Read(target, property.Value);
            }
        } catch (const EReadError&) {
            throw;
        } catch (const std::exception& e) {
            Fail(property.Line, target.Name() + "." + property.Name + ": " + e.what());
        }
    }

    void ResolveReferences() {
        for (Fixup& f : fixups_) {
            TComponent* target = root_.FindComponent(f.Value.Text);
            if (target == nullptr && f.Value.Text == root_.Name()) target = &root_;
            if (target == nullptr) Fail(f.Line, "no component named " + f.Value.Text);
            f.Value.Target = target;
            try {
                f.Property->Read(*f.Component, f.Value);
            } catch (const std::exception& e) {
                Fail(f.Line, f.Component->Name() + "." + f.Property->Name + ": " + e.what());
            }
        }
    }

    [[noreturn]] void Fail(int line, const std::string& message) const { throw EReadError(file_, line, message); }

    TComponent& root_;
    const std::string& file_;
    const DescriptionNode* node_ = nullptr;  // the object ReadData reads
    std::vector<TComponent*> read_;
    std::vector<Fixup> fixups_;
};

}  // namespace

void ReadComponent(TComponent& root, std::string_view text, const std::string& file) {
    const DescriptionNode top = ParseDescription(text, file);
    DescriptionReader(root, file).Read(top);
}

void ReadComponentResource(TComponent& root, const std::string& path) {
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) throw EReadError(path, 0, "cannot open the window description");
    const QByteArray bytes = f.readAll();
    ReadComponent(root, std::string_view(bytes.constData(), std::size_t(bytes.size())), path);
}

}  // namespace dlk
