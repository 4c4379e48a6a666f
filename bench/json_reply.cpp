#include "json_reply.h"

namespace scrutor::bench {

std::u16string MakeReportReply(std::size_t targetBytes) {
    std::u16string reply = u"{\"response_code\": 1, \"verbose_msg\": \"Scan finished\", \"scans\": {";
    for (int engine = 0; reply.size() * 2 < targetBytes - 400; ++engine) {
        std::string digits = std::to_string(engine);
        std::u16string name(digits.begin(), digits.end());
        if (engine > 0) reply += u", ";
        reply += u"\"Engine" + name + u"\": {\"detected\": " +
                 (engine % 17 == 0 ? u"true" : u"false") +
                 u", \"version\": \"1.0." + name + u"\", \"result\": " +
                 (engine % 17 == 0 ? u"\"Trojan.Generic\"" : u"null") +
                 u", \"update\": \"20240305\", \"detail\": \"https://example.com/e/" + name + u"\"}";
    }
    reply += u"}, \"scan_date\": \"2024-03-05 07:08:09\", "
             u"\"permalink\": \"https://www.virustotal.com/url/abc/analysis/\", "
             u"\"positives\": 3, \"total\": 70}";
    return reply;
}

}  // namespace scrutor::bench
