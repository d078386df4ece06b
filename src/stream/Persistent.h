#pragma once
// Base of everything the component stream writes and reads: a class with a stream name and
// a list of published properties. Nested objects (fonts, pictures, rich text) are persistents
// published by their owner as object properties.

#include "stream/PropertyList.h"

class TPersistent {
public:
    virtual ~TPersistent() = default;

    // The name files store for this class ("TWPRtfStorage", "TFont").
    virtual QString ClassName() const = 0;

    // Published properties in stream order; overrides call the base class first.
    virtual void PublishProperties(TPropertyList& list);

    // Properties the class streams by itself (binary blocks); written after all published ones.
    virtual void DefineProperties(TPropertyList& list);

    // Published, then defined properties.
    TPropertyList Properties();
};
