#include "core/Briefing.h"

namespace core {

std::string BriefingText(const BriefingWords& b) {
    const std::string crlf = "\r\n";
    return "Mission data " + crlf + crlf + "Spawn Point    : " + b.spawn + crlf +
           "Planet Gravity : " + b.gravity + crlf + "Use of Bombs   : " + b.bombs + crlf +
           "Mission Level  : " + b.level + crlf + crlf + "Details        " + crlf + b.details1 +
           crlf + b.details2;
}

}  // namespace core
