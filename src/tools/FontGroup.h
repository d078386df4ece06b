#pragma once
// One of the page's six fonts as calendar files and style sheets hold it: name, size in points,
// style and colour (files keep no character set or pitch for them). Published like any nested
// object, so that mvtool shows and sets the page's fonts through the same property code as the
// page objects' fonts.

#include "stream/Persistent.h"

class TFont;

class TFontGroup : public TPersistent {
public:
    explicit TFontGroup(TFont& font);

    QString ClassName() const override { return "TFontGroup"; }
    void PublishProperties(TPropertyList& list) override;

private:
    TFont& m_Font;
};
