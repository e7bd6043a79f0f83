// PanelContext: what a dialog opened from an axis panel works with.
// Routed by app/PanelDialogs. Tests: tests/app/tst_paneldialogs.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <utility>

class CKormakDoc;
class CKormakView;
class Operator;
class SerialLink;
class QWidget;

// A panel's dialogs open one way, Dialog::run(PanelContext&): with the link
// and the operator, the window that owns them, the panel and its document.
// Each panel has one context for its whole life. A dialog that keeps its
// values between openings keeps its object here (kept()); it goes when the
// context goes.
class PanelContext {
public:
    PanelContext(SerialLink& link, Operator& op, QWidget* parent, CKormakView& view,
                 CKormakDoc& doc)
        : link(link), op(op), parent(parent), view(view), doc(doc) {}
    ~PanelContext() {
        // Later, not at once: the panel may end while one of them is still
        // on the call stack.
        for (const QPointer<QObject>& object : std::as_const(kept_))
            if (object)
                object->deleteLater();
    }
    PanelContext(const PanelContext&) = delete;
    PanelContext& operator=(const PanelContext&) = delete;

    SerialLink& link;
    Operator& op;
    QWidget* parent; // owns the dialogs
    CKormakView& view;
    CKormakDoc& doc;

    // The panel's one object of type T, made by make() when first asked for.
    template <class T, class Make> T& kept(Make make) {
        QPointer<QObject>& object = kept_[&T::staticMetaObject];
        if (!object)
            object = make();
        return *static_cast<T*>(object.data());
    }

private:
    QHash<const QMetaObject*, QPointer<QObject>> kept_;
};
