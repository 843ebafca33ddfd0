#pragma once

#include <string>

#include "framework/canvas/picture.h"
#include "framework/components/properties.h"

namespace dlk::prop {

// A picture from a stored resource: Name = resource ":/path/picture.jpg".
// A resource that does not decode leaves the picture empty; the description
// still reads. Only a picture loaded from a resource is written back.
template <class T, class Get>
PropertyInfo Picture(std::string name, Get picture) {
    auto stored = [picture](const TComponent& c) {
        const TPicture& p = picture(const_cast<T&>(static_cast<const T&>(c)));
        StoredValue v = StoredValue::Str(p.Source());
        v.Kind = StoredValue::ValueKind::Resource;
        return v;
    };
    const std::string error = name + " expects resource \"path\"";
    return {std::move(name),
            [picture, error](TComponent& c, const StoredValue& v) {
                if (v.Kind != StoredValue::ValueKind::Resource) throw EPropertyError(error);
                picture(static_cast<T&>(c)).LoadFromResource(v.Text);
            },
            [stored](const TComponent& c) -> std::optional<StoredValue> {
                StoredValue v = stored(c);
                if (v.Text.empty()) return std::nullopt;
                return v;
            },
            stored};
}

}  // namespace dlk::prop
