#pragma once
// Help topic numbers the windows open; resources/help/topics.txt maps them to pages.

constexpr int IDH_LISTING_SETUP = 1;
constexpr int IDH_SPECIMEN_INFO = 9;
constexpr int IDH_CONTENTS = 20;
constexpr int IDH_REPORT_LISTING = 503;
