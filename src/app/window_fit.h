// How the window meets a screen and a system set for larger text, decided once for both views:
// the design's client area keeps its size and scrolls inside a smaller window when the screen's
// available area cannot hold it, and the design grows with the system's text size as it grows
// with the screen's density. No toolkit here: the views give the sizes they read.
#pragma once

namespace tx3 {

struct ClientSize {
  int width, height;
  bool operator==(const ClientSize&) const = default;
};

// The client area a window shows of a design of `design` pixels when at most `room` fits.
struct WindowFit {
  ClientSize view;  // the part of the design shown, scroll bars excluded
  bool vertical;    // a vertical scroll bar is needed (it takes `bar` pixels of the width)
  bool horizontal;  // likewise along the bottom
  bool operator==(const WindowFit&) const = default;
  // The whole client area: the part shown and the scroll bars beside it.
  ClientSize Client(int bar) const {
    return {view.width + (vertical ? bar : 0), view.height + (horizontal ? bar : 0)};
  }
};

// The largest part of `design` that fits `room` with the scroll bars (`bar` pixels thick) it
// needs; the whole design, without bars, when it fits.
WindowFit FitInside(ClientSize design, ClientSize room, int bar);

// The scroll position (the first pixel shown) that keeps `start`..`end` of the design in a view
// `length` pixels long now at `position`: unchanged when it is shown whole, else moved as little
// as possible, its start first when it is longer than the view.
int ScrollToShow(int position, int length, int start, int end);

// The factor the design grows by for a system whose default text is `points` where its own
// default is `defaultPoints`: never below 1, the design's 8 points being the default's size.
double TextScale(double points, double defaultPoints);

// The density the design is laid out at: the screen's `dpi` grown by the text's `scale`.
int ScaledDpi(int dpi, double scale);

}  // namespace tx3
