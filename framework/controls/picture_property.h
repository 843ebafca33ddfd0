#pragma once

#include <string>

#include "framework/canvas/picture.h"
#include "framework/core/properties.h"

namespace dlk::prop {

// A picture from a stored resource: Name = resource ":/path/picture.jpg".
// A resource that does not decode leaves the picture empty; the description
// still reads. Only a picture loaded from a resource is written back.
template <class T, class Get>
PropertyInfo Picture(std::string name, Get picture) {
    return {std::move(name),
            [picture, n = name](TComponent& c, const StoredValue& v) {
                if (v.kind != StoredValue::Kind::Resource) throw EPropertyError(n + " expects resource \"path\"");
                picture(static_cast<T&>(c)).LoadFromResource(v.Text);
            },
            [picture](const TComponent& c) -> std::optional<StoredValue> {
                const TPicture& p = picture(const_cast<T&>(static_cast<const T&>(c)));
                if (p.Source().empty()) return std::nullopt;
                StoredValue v = StoredValue::Str(p.Source());
                v.kind = StoredValue::Kind::Resource;
                return v;
            }};
}

}  // namespace dlk::prop
