#include "display/status_texts.h"

#include "text/number_text.h"

namespace trindel {

StatusTexts statusTexts(const Session& s, double donefact) {
    StatusTexts t;
    t.sample = (s.Sample > 1000000 ? " #" : " Sample") + runtimeText(s.Sample);
    t.done = pictureText(s.Sample * donefact, "###.##") + " % done";
    const double r = (s.MaxSamples - s.Sample) * s.ChartINTERVALinSECONDS;
    if (r > 17240.0) {
        const double days = r / 86400.0;
        t.left = pictureText(days, days >= 10.0 ? "####.#" : "###.##") + " days left";
    } else if (r > 7200.0) {
        t.left = pictureText(r / 3600.0, "####.##") + " hr left";
    } else if (r > 180.0) {
        t.left = runtimeText(r / 60.0) + " min left";
    } else {
        t.left = runtimeText(r) + " sec left";
    }
    return t;
}

}  // namespace trindel
