#pragma once
// A control or menu entry of the window by its object name.
#include <QObject>
#include <QString>

#include <stdexcept>
#include <string>
#include <string_view>

namespace orbiton::ui::testing {

// A name that is missing or of another type fails the test.
template <class T>
T* named(const QObject& window, std::string_view name)
{
    T* found = window.findChild<T*>(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    if (!found)
        throw std::runtime_error("no control named " + std::string(name) + " of that type");
    return found;
}

}  // namespace orbiton::ui::testing
