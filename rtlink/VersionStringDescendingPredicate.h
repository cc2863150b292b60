// Orders run-time version names ("8.0", "7.10", "7.1.1") newest first.
#pragma once

#include "stdafx.h"

namespace TQ {

class VersionStringDescendingPredicate
{
public:
    // Splits each version once; every name the predicate compares must be in `versions`.
    explicit VersionStringDescendingPredicate(const std::vector<std::string>& versions);
    virtual ~VersionStringDescendingPredicate() {}

    // Whether `a` comes before `b`: the parts compare from the left as numbers and the first
    // that differs decides, the greater first; when one version is the other plus more parts,
    // the longer comes first. Versions of equal parts ("7.1", "7.01") are equivalent, so a
    // stable sort keeps them in the order it found them.
    bool operator()(const std::string& a, const std::string& b) const;

private:
    // The texts between the dots; a trailing dot gives an empty last part.
    std::map<std::string, std::vector<std::string> > m_parts;
};

}  // namespace TQ
