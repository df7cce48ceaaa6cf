#include "core/RunKind.h"

RunIdentity currentRun;

std::string RunIdentity::label() const {
    if (kind == RunKind::seeded)
        return "Seed " + seedText();
    if (kind == RunKind::daily)
        return "Daily " + day + "  " + seedText() + (counts ? "" : " (practice)");
    return {};
}
