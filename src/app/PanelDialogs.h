#pragma once

// The axis panel's dialog buttons: each request of a panel opens its dialog
// one way, Dialog::run(PanelContext&), with one context per panel that lives
// as long as the panel does.

class CKormakDoc;
class CKormakView;
class Operator;
class SerialLink;
class QWidget;

namespace PanelDialogs {

// Connects the panel's dialog requests (and the applying of an offline
// panel's file lines, which fills its currents dialog) for the panel's life.
// parent owns the dialogs. Loading an offline configuration into axes is not
// a dialog; its request is left to the caller.
void connect(SerialLink& link, Operator& op, QWidget* parent, CKormakView& view, CKormakDoc& doc);

} // namespace PanelDialogs
