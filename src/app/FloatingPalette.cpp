#include "app/FloatingPalette.h"

#include "platformui/WindowPlacement.h"

#include <QFont>

TFloatingPalette::TFloatingPalette(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName("FloatingPalette");
    // Showing the tool must not take the keyboard from the main window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle("Icons");
    setFont(QFont("Arial", 8));
    resize(140, 140);
    setFixedSize(size());
    // Only the position comes from the preferences; the size stays the window's own.
    const QSize own = size();
    RestorePlacement(*this);
    resize(own);
}

TFloatingPalette::~TFloatingPalette()
{
    SavePlacement(*this);
}

void TFloatingPalette::ShowLibrary(const QString& fileName)
{
    m_LibraryFile = fileName;
}

void TFloatingPalette::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    emit Hidden();
}
