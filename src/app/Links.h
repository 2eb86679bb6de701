#pragma once
// Every web address the editor opens, in one place.

namespace links {
inline constexpr const char* kSiteHost = "www.tavrin.example";
inline constexpr const char* kOfficialSite = "http://www.tavrin.example/";
inline constexpr const char* kForum = "http://bbs.tavrin.example/";
inline constexpr const char* kTutorial = "http://www.tavrin.example/bangzhu/70.html";
inline constexpr const char* kShowcase = "http://www.tavrin.example/show/";
inline constexpr const char* kContactNumber = "800012015";
inline constexpr const char* kChat = "http://wpa.qq.com/msgrd?v=3&uin=800012015&site=qq&menu=yes";
}  // namespace links
