#pragma once
// Writes page objects to a file or memory stream and reads them back: the object clipboard of
// cut, copy and paste, and the copy behind Clone. Objects travel as a list of root component
// records; those read are renamed "Component"N. One filer serves one operation.

#include <QList>
#include <QString>

class TComponent;
class TGBasePanel;
class TGGraphicControl;
class TGHandle;
class TReader;

class TGLabelObjectFiler {
public:
    // `owner` answers the name look-ups of the renaming.
    explicit TGLabelObjectFiler(TComponent* owner);

    // Writes the selected objects in selection order; does nothing when none is selected.
    void SaveSelectionToFile(const TGHandle& handle, const QString& fileName);
    void SaveObjectToFile(TGGraphicControl& object, const QString& fileName);
    // Reads the objects of `fileName` into `host`, each moved 15 pixels right and down; does
    // nothing when the file does not exist. On a damaged file the objects read so far are freed
    // and the stream error is raised.
    void LoadFromFile(TComponent* owner, TGBasePanel& host, const QString& fileName);
    // A copy of `object` read back from memory into `host`, in its original place.
    TGGraphicControl* Duplicate(TGGraphicControl& object, TComponent* owner, TGBasePanel& host);

private:
    QList<TGGraphicControl*> ReadObjects(TReader& reader, TComponent* owner, TGBasePanel& host);
    // "Component" + the first N from 0 to 1000 that the owner does not hold; `name` when all are.
    QString ComponentName(const QString& name) const;

    TComponent* m_Owner;
    bool m_Offset = false;
};
