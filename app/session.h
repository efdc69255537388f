// The "初始化" action: fetches the profile page and keeps its three tokens.
#pragma once

void initialiseSession();

inline constexpr char kConnectFailedMessage[] = "无法连接到服务器。";
inline constexpr char kMessageTitle[] = "Form1";
