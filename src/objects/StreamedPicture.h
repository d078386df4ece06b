#pragma once
// The `Picture` property of a picture object as the stream sees it: a nested object whose one
// defined property "Data" is the picture's data block (left out for an empty picture). A block
// that cannot be read is refused as an invalid property value.

#include "imaging/Picture.h"
#include "stream/Persistent.h"

#include <functional>

class TStreamedPicture : public TPersistent {
public:
    QString ClassName() const override { return "TPicture"; }
    void DefineProperties(TPropertyList& list) override;

    const TPicture& Picture() const { return m_Picture; }
    // Stores `picture` and runs OnChange.
    void Assign(const TPicture& picture);

    std::function<void()> OnChange;

private:
    TPicture m_Picture;
};
