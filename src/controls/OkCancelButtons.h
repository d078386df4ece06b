#pragma once
// The right-aligned "Ok" / "Cancel" row of the small dialogs: "Ok" (named okbutton) is the
// default button and accepts, "Cancel" (named CancelButton) rejects.

class QDialog;
class QHBoxLayout;
class QString;

QHBoxLayout* OkCancelButtons(QDialog& dialog, const QString& okCaption, const QString& cancelCaption);
