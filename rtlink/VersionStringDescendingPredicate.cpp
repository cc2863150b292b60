#include "stdafx.h"
#include "VersionStringDescendingPredicate.h"

namespace TQ {

namespace {

std::vector<std::string> SplitAtDots(const std::string& version)
{
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;)
    {
        const std::string::size_type dot = version.find('.', start);
        if (dot == std::string::npos)
        {
            parts.push_back(version.substr(start));
            return parts;
        }
        parts.push_back(version.substr(start, dot - start));
        start = dot + 1;
    }
}

// The part's leading decimal digits as a number, as atol reads them, except that a number too
// long for a LONG stays at the greatest one instead of wrapping.
LONG PartNumber(const std::string& part)
{
    const LONG greatest = 0x7FFFFFFF;
    LONG number = 0;
    for (std::string::size_type i = 0; i < part.size() && part[i] >= '0' && part[i] <= '9'; ++i)
    {
        const LONG digit = part[i] - '0';
        if (number > (greatest - digit) / 10)
            return greatest;
        number = number * 10 + digit;
    }
    return number;
}

}  // namespace

VersionStringDescendingPredicate::VersionStringDescendingPredicate(const std::vector<std::string>& versions)
{
    for (std::vector<std::string>::const_iterator it = versions.begin(); it != versions.end(); ++it)
        m_parts[*it] = SplitAtDots(*it);
}

bool VersionStringDescendingPredicate::operator()(const std::string& a, const std::string& b) const
{
    const std::vector<std::string>& left = m_parts.find(a)->second;
    const std::vector<std::string>& right = m_parts.find(b)->second;
    for (std::vector<std::string>::size_type i = 0; i < left.size() && i < right.size(); ++i)
    {
        const LONG l = PartNumber(left[i]);
        const LONG r = PartNumber(right[i]);
        if (l != r)
            return l > r;
    }
    return left.size() > right.size();
}

}  // namespace TQ
