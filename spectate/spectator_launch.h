// The "观战" action: writes watch.bat into the game's folder and has the shell run it.
#pragma once

void launchSpectator();

inline constexpr char kRefusedLinkMessage[] = "观战链接含有不安全的字符，已取消启动。";
