// The tracer against an independent boundary follower: OpenCV's findContours on the same mask.
#include <gtest/gtest.h>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <random>

#include "outline/core/OutlineMeasure.h"
#include "outline/core/Tracer.h"

namespace {

// Random smooth blobs without holes, kept two pixels away from the image edges. An opening
// with a disc removes one-pixel hooks and necks: on those the tracer, which never tests the
// direction d + 6, cuts the corner (half a square pixel less) or meets its start cell early.
cv::Mat RandomBlobs(std::mt19937& rng, int w, int h) {
  cv::Mat noise(h, w, CV_32F);
  std::normal_distribution<float> n(0, 1);
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c) noise.at<float>(r, c) = n(rng);
  cv::GaussianBlur(noise, noise, cv::Size(0, 0), 4 + rng() % 6);
  cv::Mat mask = noise > 0.02;
  mask.rowRange(0, 2).setTo(0);
  mask.rowRange(h - 2, h).setTo(0);
  mask.colRange(0, 2).setTo(0);
  mask.colRange(w - 2, w).setTo(0);
  std::vector<std::vector<cv::Point>> outer;
  cv::findContours(mask, outer, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_NONE);
  cv::Mat filled = cv::Mat::zeros(h, w, CV_8U);
  cv::drawContours(filled, outer, -1, cv::Scalar(255), cv::FILLED);
  return filled;
}

TEST(TracerOracle, EnclosedAreaMatchesOpenCvContourArea) {
  std::mt19937 rng(20261211);
  int compared = 0;
  int pinched = 0;
  for (int img = 0; img < 40; ++img) {
    const int w = 120 + static_cast<int>(rng() % 80);
    const int h = 100 + static_cast<int>(rng() % 80);
    const cv::Mat mask = RandomBlobs(rng, w, h);
    // The image: dark objects (0) on a light ground (255).
    cv::Mat image = 255 - mask;
    TPixelView view = TPixelView::FromBuffer(TPixelFormat::ie8g, w, h, image.data,
                                             static_cast<std::ptrdiff_t>(image.step));
    TThresholdGrid grid;
    int rows, cols;
    BuildThresholdGrid(view, rows, cols, grid);

    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(mask.clone(), contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_NONE);
    for (int k = 0; k < 3; ++k) {
      // Press at a random object pixel (image row r is pressed at y = r + 1).
      std::vector<cv::Point> on;
      cv::findNonZero(mask, on);
      if (on.empty()) break;
      const cv::Point p = on[rng() % on.size()];
      const TTraceResult t = TraceOutline(grid, p.x, p.y + 1, TTraceSettings{});
      if (!t.Outline) continue;
      // The contour through the start cell (image coordinates).
      const cv::Point start(t.Outline->x1(), h - 1 - t.Outline->y1());
      const std::vector<cv::Point>* match = nullptr;
      for (const auto& c : contours)
        if (std::find(c.begin(), c.end(), start) != c.end()) match = &c;
      ASSERT_NE(match, nullptr) << "image " << img;
      // A start cell on a one-pixel neck is passed twice by the whole boundary; the trace
      // ends the first time it comes back there, by design.
      if (std::count(match->begin(), match->end(), start) > 1) {
        ++pinched;
        continue;
      }
      ASSERT_TRUE(t.Closed) << "image " << img;
      EXPECT_DOUBLE_EQ(EnclosedArea(*t.Outline, 0).Area, cv::contourArea(*match))
          << "image " << img << " start " << start;
      ++compared;
    }
  }
  EXPECT_GT(compared, 80);
  EXPECT_LT(pinched, compared / 10);
}

}  // namespace
