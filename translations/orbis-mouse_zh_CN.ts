<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CommandLine</name>
    <message>
        <source>--profile takes a profile number from %1 to %2, not &quot;%3&quot;.</source>
        <translation>--profile 需要 %1 到 %2 之间的配置文件编号，而不是“%3”。</translation>
    </message>
    <message>
        <source>Configures the buttons, DPI stages, report rate, lighting, macros and profiles of the gaming mouse.
A second start hands its options to the running instance and ends.</source>
        <translation>设置游戏鼠标的按键、DPI 档位、回报率、灯光、宏和配置文件。
再次启动时会把选项交给正在运行的实例，然后结束。</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>显示命令行选项的帮助。</translation>
    </message>
    <message>
        <source>Start with the window hidden; the tray icon shows as usual.</source>
        <translation>启动时隐藏窗口；托盘图标照常显示。</translation>
    </message>
    <message>
        <source>Switch to profile N (1 to 10) once the mouse is connected, as the profile list of the top bar does. Starts hidden.</source>
        <translation>鼠标连接后切换到配置文件 N（1 到 10），与顶栏的配置文件列表相同。启动时隐藏窗口。</translation>
    </message>
    <message>
        <source>Unexpected argument &quot;%1&quot;.</source>
        <translation>意外的参数“%1”。</translation>
    </message>
    <message>
        <source>--profile may be given once.</source>
        <translation>--profile 只能给出一次。</translation>
    </message>
</context>
<context>
    <name>NoMouseNotice</name>
    <message>
        <source>No mouse was found</source>
        <translation>未找到鼠标</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Plug in the mouse: the program looks for it again two seconds later.</source>
        <translation>请插入鼠标：程序会在两秒后再次查找。</translation>
    </message>
    <message>
        <source>If it is plugged in, this user may not be allowed to open it.</source>
        <translation>如果鼠标已插入，当前用户可能无权打开它。</translation>
    </message>
    <message>
        <source>The device table %1 must name the mouse&apos;s ids (lsusb shows them). The log (category orbis.device) tells what was searched and found.</source>
        <translation>设备表 %1 必须写明鼠标的 ID（lsusb 可以显示）。日志（类别 orbis.device）会说明查找了什么、找到了什么。</translation>
    </message>
</context>
<context>
    <name>Widget</name>
    <message>
        <source>Why is there no window? (&amp;W)</source>
        <translation>为什么没有窗口？(&amp;W)</translation>
    </message>
    <message>
        <source>Switch profiles automatically</source>
        <translation>自动切换配置</translation>
    </message>
    <message>
        <source>Quit (&amp;Q)</source>
        <translation>退出 (&amp;Q)</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>信息</translation>
    </message>
</context>
<context>
    <name>deviceaccess</name>
    <message>
        <source>The udev rule %1 gives the desktop user access to the mouse when it is plugged in. Re-plug the mouse, or apply the rule now: sudo udevadm trigger. If your mouse has other ids than the device table, copy the rule to /etc/udev/rules.d/, change its ids there and run: sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger.</source>
        <translation>udev 规则 %1 会在鼠标插入时授予桌面用户访问权限。请重新插拔鼠标，或立即应用该规则：sudo udevadm trigger。如果鼠标的 ID 与设备表不同，请把规则复制到 /etc/udev/rules.d/，在那里修改 ID，然后运行：sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger。</translation>
    </message>
    <message>
        <source>hidraw nodes belong to root, and the udev rule %1 that gives the desktop user access is not installed: reinstall the package, then re-plug the mouse.</source>
        <translation>hidraw 设备节点属于 root，而授予桌面用户访问权限的 udev 规则 %1 没有安装：请重新安装软件包，然后重新插拔鼠标。</translation>
    </message>
    <message>
        <source>hidraw nodes belong to root. Install the udev rule %1 (edit its ids to match the device table) and reload: sudo cp %1 /etc/udev/rules.d/ &amp;&amp; sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger. Re-plug the mouse afterwards.</source>
        <translation>hidraw 设备节点属于 root。请安装 udev 规则 %1（修改其中的 ID 使之与设备表一致）并重新加载：sudo cp %1 /etc/udev/rules.d/ &amp;&amp; sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger。之后重新插拔鼠标。</translation>
    </message>
</context>
<context>
    <name>myQQuickView</name>
    <message>
        <source>A macro file of this name exists already.</source>
        <translation>已存在同名的宏文件。</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>The file could not be read as a macro.</source>
        <translation>无法将该文件读取为宏。</translation>
    </message>
    <message>
        <source>The macro could not be written.</source>
        <translation>无法写入该宏。</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>The macro could not be exported.</source>
        <translation>无法导出该宏。</translation>
    </message>
    <message>
        <source>Profile(*.pf)</source>
        <translation>配置文件(*.pf)</translation>
    </message>
    <message>
        <source>The file could not be read. The profile was not changed.</source>
        <translation>无法读取该文件。配置文件未改变。</translation>
    </message>
    <message>
        <source>The file is too large to be a profile. The profile was not changed.</source>
        <translation>该文件太大，不是配置文件。配置文件未改变。</translation>
    </message>
    <message>
        <source>The file is not a valid profile. The profile was not changed.</source>
        <translation>该文件不是有效的配置文件。配置文件未改变。</translation>
    </message>
    <message>
        <source>The profile could not be written. The profile was not changed.</source>
        <translation>无法写入配置文件。配置文件未改变。</translation>
    </message>
    <message>
        <source>Macro(*.mc)</source>
        <translation>宏文件(*.mc)</translation>
    </message>
</context>
</TS>
