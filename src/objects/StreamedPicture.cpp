#include "objects/StreamedPicture.h"

#include "stream/StreamErrors.h"

void TStreamedPicture::DefineProperties(TPropertyList& list)
{
    list.AddBinary(
        "Data", [this] { return m_Picture.DataBlock(); },
        [this](const QByteArray& block) {
            std::optional<TPicture> picture = TPicture::FromDataBlock(block);
            if (!picture)
                throw EMervaneError(StreamErrors::InvalidPropertyValue);
            Assign(*picture);
        },
        [this] { return !m_Picture.IsEmpty(); });
}

void TStreamedPicture::Assign(const TPicture& picture)
{
    m_Picture = picture;
    if (OnChange)
        OnChange();
}
