#pragma once

#include "session/Animation.h"

#include <functional>

namespace tavrin {

/// One observable field of the reader session.
enum class SessionField
{
    backgroundColor,
    textColor,
    selectedFont,
    fontSize,
    wpm,
    showSettings,
    showBooks,
    showGear,
    tokens,
    currentIndex,
    isPlaying,
    isPaused,
    isLoading,
    currentBookID,
    orpColor,
    feedbackText,
    showFeedback,
    showContents,
    isFinished
};

/// How a part of the session reports a change of one of its fields to the façade.
using FieldNotifier = std::function<void(SessionField, Animation)>;

/// Sets member to value and reports the change; an equal value changes nothing.
template<typename T>
bool assignField(T& member, T value, SessionField field, const FieldNotifier& notify,
                 Animation animation = {})
{
    if (member == value) {
        return false;
    }
    member = std::move(value);
    notify(field, animation);
    return true;
}

} // namespace tavrin
