// The About window with plain-member controls, for tests: load it, read its texts, press OK.
#pragma once

#include <string>

#include "ui/frmAbout.h"
#include "ui/headless/HeadlessControls.h"

class HeadlessWindow : public IWindow {
  public:
    std::string caption;
    int unloads = 0;
    std::string Caption() const override { return caption; }
    void SetCaption(const std::string& c) override { caption = c; }
    void Unload() override { ++unloads; }
};

class HeadlessLink : public ILink {
  public:
    std::string caption;
    std::string target;
    std::string Caption() const override { return caption; }
    void SetCaption(const std::string& c) override { caption = c; }
    std::string Target() const override { return target; }
    void SetTarget(const std::string& t) override { target = t; }
};

class HeadlessAbout {
  public:
    explicit HeadlessAbout(AboutAddresses addresses = AboutAddresses::OfThisBuild());
    HeadlessAbout(const HeadlessAbout&) = delete;
    HeadlessAbout& operator=(const HeadlessAbout&) = delete;

    HeadlessWindow window;
    HeadlessLabel lblDescription;
    HeadlessLabel Label1;
    HeadlessLink Url1;
    HeadlessLabel lblEmail;
    HeadlessLink Url2;
    HeadlessLabel lblDisclaimer;
    frmAbout form;
};
