#pragma once
// A control or menu entry of the window by its object name.
#include <QObject>
#include <QString>

#include <stdexcept>
#include <string>

namespace orbiton::ui::testing {

template <class T>
T* named(const QObject& window, const char* name)
{
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        throw std::runtime_error(std::string("no control named ") + name);
    return found;
}

}  // namespace orbiton::ui::testing
