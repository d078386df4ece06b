#pragma once
// Helpers the page-object tests share: stream records of objects as bytes, and reading what a
// printed PDF holds.

#include <QByteArray>
#include <QColor>
#include <QRectF>
#include <QStringList>

class TComponent;
class TGGraphicControl;

// The stream record of one object.
QByteArray RecordOf(TComponent& component);
// The property names of a record, in stream order.
QStringList PropertyNames(const QByteArray& record);
// A short string as records hold names: length byte and characters.
QByteArray Str(const QByteArray& text);
// An identifier value: vaIdent and the name.
QByteArray Ident(const QByteArray& name);
bool IsDark(const QColor& color);
// Prints `object` alone into `pdf`, the page's origin 0.5 inches from the paper's left edge
// and 0.25 from its top.
void PrintObject(TGGraphicControl& object, const QString& pdf);
