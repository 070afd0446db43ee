#pragma once
// RunAtEveryInterruption for GoogleTest: every check runs under a trace that names the step, and
// an action that never completes fails the test.
#include <gtest/gtest.h>

#include <utility>

#include "interruption.hpp"

namespace florimant {

inline void ForEachInterruption(InterruptionCase c) {
    const auto check = std::move(c.Check);
    c.Check = [&check](const InterruptionPoint& point) {
        SCOPED_TRACE(point.Describe());
        if (check) check(point);
    };
    if (!RunAtEveryInterruption(c))
        ADD_FAILURE() << "the action was still interrupted at file operation " << c.MostSteps;
}

// A check that every file below a folder is whole: as before the action, or as after it.
inline void ExpectEveryFileOldOrNew(const FileSnapshot& now, const FileSnapshot& before, const FileSnapshot& after) {
    for (const std::string& name : FilesNeitherOldNorNew(now, before, after))
        ADD_FAILURE() << name << " is neither as before nor as after the action";
}

}  // namespace florimant
