#pragma once
// The rich text of one day cell as the page owns it and calendar files carry it: a component of
// class "TWPRtfStorage" that publishes RtfText. An empty storage streams as no property at all.

#include "richtext/WPRtfText.h"
#include "stream/Component.h"

class TWPRtfStorage : public TComponent {
public:
    explicit TWPRtfStorage(TComponent* owner);

    QString ClassName() const override { return "TWPRtfStorage"; }
    void PublishProperties(TPropertyList& list) override;

    void Assign(const TWPRtfStorage& source) { m_RtfText.Assign(source.m_RtfText); }
    bool IsEmpty() const { return m_RtfText.IsEmpty(); }

    TWPRtfText& RtfText() { return m_RtfText; }
    const TWPRtfText& RtfText() const { return m_RtfText; }

private:
    TWPRtfText m_RtfText;
};
