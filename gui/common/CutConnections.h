#pragma once
// A derived widget's destructor runs before the QWidget base destroys the children, and the
// children still emit signals while they go (focus, scroll position, current row). Qt cuts a
// connection whose context is the widget only in ~QObject, so a slot of the derived part,
// already gone, would be called. A derived widget calls this first in its destructor.

#include <QObject>

#include <initializer_list>

namespace dorvek {

// Cuts every connection from the receiver's descendants and from the other senders (e.g.
// the application or the frame of a child window) to the receiver.
inline void CutConnectionsTo(QObject& receiver, std::initializer_list<const QObject*> others = {}) {
    for (const QObject* sender : others)
        if (sender) QObject::disconnect(sender, nullptr, &receiver, nullptr);
    for (const QObject* child : receiver.findChildren<QObject*>())
        QObject::disconnect(child, nullptr, &receiver, nullptr);
}

} // namespace dorvek
