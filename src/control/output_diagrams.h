// The drawings of the output-script editor and the feedback window as lines in window pixels:
// the levels and ramps, the numbered step boundaries (every tenth darker) and the loop arrow.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "state/control_state.h"

namespace trindel {

struct DiagramLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool dark = false;
};

struct DiagramLabel {
    int x = 0;
    std::string text;
};

struct OutputDiagram {
    int width = 0, height = 0;  // the drawing area; y grows downwards from 0
    std::vector<DiagramLine> trace;
    std::vector<DiagramLine> boundaries;
    std::vector<DiagramLabel> stepNumbers;
    std::optional<DiagramLine> loop;  // from the end of the last step back to its target
    std::string note;                 // "no loop" in the feedback drawing
    std::string high, low;            // the feedback drawing's highest and lowest setpoints
};

// A script over 555 pixels for its total time, 13.6 pixels per volt (6.8 on the DT800) around
// the zero line in the middle of a 150-pixel-high area.
OutputDiagram aoDiagram(const AnalogOutputState& ao, int channel, int16_t device);
// The setpoint schedule over 349 pixels for its total time and 95 pixels between its lowest and
// highest setpoint.
OutputDiagram feedbackDiagram(const FeedbackState& fb);

}  // namespace trindel
