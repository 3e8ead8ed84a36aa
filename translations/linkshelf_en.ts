<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>BookmarkExport</name>
    <message>
        <source>不能把书签导出到文件 &quot;%1&quot;。</source>
        <translation>Cannot export the bookmarks to the file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>已把 %1、%2和 %3导出到 &quot;%4&quot;。</source>
        <translation>Exported %1, %2 and %3 to &quot;%4&quot;.</translation>
    </message>
    <message numerus="yes">
        <source>%n 个链接</source>
        <translation>
            <numerusform>%n link</numerusform>
            <numerusform>%n links</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个文件夹</source>
        <translation>
            <numerusform>%n folder</numerusform>
            <numerusform>%n folders</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个图标</source>
        <translation>
            <numerusform>%n icon</numerusform>
            <numerusform>%n icons</numerusform>
        </translation>
    </message>
    <message>
        <source>快捷方式文件夹中没有链接，所以没有导出书签。</source>
        <translation>The folder of shortcuts holds no link, so no bookmarks were exported.</translation>
    </message>
</context>
<context>
    <name>BrowseLineEdit</name>
    <message>
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
</context>
<context>
    <name>ChangeBatch</name>
    <message>
        <source>没有改动：快捷方式在检查之后被改动过。</source>
        <translation>Not changed: the shortcut was changed after the check.</translation>
    </message>
    <message>
        <source>不能更新地址。</source>
        <translation>Cannot update the address.</translation>
    </message>
    <message>
        <source>没有撤销：快捷方式在改动之后又被改动过。</source>
        <translation>Not undone: the shortcut was changed again after the change.</translation>
    </message>
    <message>
        <source>不能写回原来的地址。</source>
        <translation>Cannot write the old address back.</translation>
    </message>
    <message>
        <source>没有还原：回收站中的文件不见了或被改动过。</source>
        <translation>Not restored: the file in the Trash is gone or was changed.</translation>
    </message>
    <message>
        <source>没有可以撤销的改动。</source>
        <translation>There are no changes to undo.</translation>
    </message>
    <message>
        <source>不能在快捷方式 &quot;%1&quot; 中记下它的网站图标。</source>
        <translation>Cannot note its site icon in the shortcut &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>它在获取图标期间被改动或移走了。</source>
        <translation>It was changed or moved away while the icons were fetched.</translation>
    </message>
    <message>
        <source>不能去掉网站图标。</source>
        <translation>Cannot take the site icon out.</translation>
    </message>
</context>
<context>
    <name>ChangeJournal</name>
    <message>
        <source>不能写入改动记录。</source>
        <translation>Cannot write the record of changes.</translation>
    </message>
</context>
<context>
    <name>ChangeTexts</name>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>将更新地址</source>
        <translation>would update</translation>
    </message>
    <message>
        <source>将移到回收站</source>
        <translation>would move to Trash</translation>
    </message>
    <message>
        <source>试运行：%1，%2；没有改动任何文件。</source>
        <translation>Dry run: %1, %2; no file was changed.</translation>
    </message>
    <message numerus="yes">
        <source>将更新 %n 个地址</source>
        <translation>
            <numerusform>would update %n address</numerusform>
            <numerusform>would update %n addresses</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>将把 %n 个文件移到回收站</source>
        <translation>
            <numerusform>would move %n file to the Trash</numerusform>
            <numerusform>would move %n files to the Trash</numerusform>
        </translation>
    </message>
    <message>
        <source>已跳过</source>
        <translation>skipped</translation>
    </message>
    <message>
        <source>未曾改动</source>
        <translation>never changed</translation>
    </message>
    <message>
        <source>已改回原地址</source>
        <translation>address restored</translation>
    </message>
    <message>
        <source>已从回收站还原</source>
        <translation>restored from Trash</translation>
    </message>
    <message>
        <source>已更新地址</source>
        <translation>address updated</translation>
    </message>
    <message>
        <source>已移到回收站</source>
        <translation>moved to Trash</translation>
    </message>
    <message>
        <source>已撤销：%1，%2，%3。</source>
        <translation>Undone: %1, %2, %3.</translation>
    </message>
    <message numerus="yes">
        <source>%n 个地址已改回</source>
        <translation>
            <numerusform>%n address restored</numerusform>
            <numerusform>%n addresses restored</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个文件已从回收站还原</source>
        <translation>
            <numerusform>%n file restored from the Trash</numerusform>
            <numerusform>%n files restored from the Trash</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个跳过</source>
        <translation>
            <numerusform>%n skipped</numerusform>
            <numerusform>%n skipped</numerusform>
        </translation>
    </message>
    <message>
        <source>%1，%2，%3。</source>
        <translation>%1, %2, %3.</translation>
    </message>
    <message numerus="yes">
        <source>%n 个地址已更新</source>
        <translation>
            <numerusform>%n address updated</numerusform>
            <numerusform>%n addresses updated</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个文件已移到回收站</source>
        <translation>
            <numerusform>%n file moved to the Trash</numerusform>
            <numerusform>%n files moved to the Trash</numerusform>
        </translation>
    </message>
    <message>
        <source>改动快捷方式</source>
        <translation>Change shortcuts</translation>
    </message>
    <message>
        <source>要做这些改动吗？</source>
        <translation>Make these changes?</translation>
    </message>
    <message numerus="yes">
        <source>把 %n 个已移动的链接更新为新地址</source>
        <translation>
            <numerusform>Update %n moved link to its new address</numerusform>
            <numerusform>Update %n moved links to their new addresses</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>把 %n 个失效的链接移到回收站</source>
        <translation>
            <numerusform>Move %n dead link to the Trash</numerusform>
            <numerusform>Move %n dead links to the Trash</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>把 %n 个多余的重复链接移到回收站</source>
        <translation>
            <numerusform>Move %n extra copy of a duplicate to the Trash</numerusform>
            <numerusform>Move %n extra copies of duplicates to the Trash</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>……还有 %n 个</source>
        <translation>
            <numerusform>… and %n more</numerusform>
            <numerusform>… and %n more</numerusform>
        </translation>
    </message>
    <message>
        <source>改动可以撤销：文件放在回收站中，原来的地址记录在案。</source>
        <translation>The changes can be undone: files go to the Trash, and the old addresses are recorded.</translation>
    </message>
    <message>
        <source>已去掉网站图标</source>
        <translation>site icon taken out</translation>
    </message>
    <message>
        <source>已记下网站图标</source>
        <translation>site icon noted</translation>
    </message>
    <message>
        <source>已撤销：%1，%2。</source>
        <translation>Undone: %1, %2.</translation>
    </message>
    <message numerus="yes">
        <source>%n 个网站图标已去掉</source>
        <translation>
            <numerusform>%n site icon taken out</numerusform>
            <numerusform>%n site icons taken out</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CheckCommand</name>
    <message>
        <source>--max-age 需要一个时长，例如 30m、12h、1d 或 2w，而不是 &quot;%1&quot;。</source>
        <translation>--max-age takes an age such as 30m, 12h, 1d or 2w, not &quot;%1&quot;. </translation>
    </message>
    <message>
        <source>正在检查链接 [%1] %2/%3</source>
        <translation>Checking links [%1] %2/%3</translation>
    </message>
    <message>
        <source>，正在等待 %1</source>
        <translation>, waiting for %1</translation>
    </message>
    <message>
        <source>不能把检查结果保存到 &quot;%1&quot;。</source>
        <translation>Cannot keep the verdicts in &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>--dry-run 要和 --update-moved、--trash-dead 或 --trash-duplicates 一起用。</source>
        <translation>--dry-run goes with --update-moved, --trash-dead or --trash-duplicates. </translation>
    </message>
</context>
<context>
    <name>CheckTexts</name>
    <message>
        <source>正在检查链接... %1 / %2</source>
        <translation>Checking links... %1 of %2</translation>
    </message>
    <message>
        <source>正在检查链接... %1 / %2，正在等待 %3 应答...</source>
        <translation>Checking links... %1 of %2, waiting for %3 to answer...</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>文件夹</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>新地址或共同地址</source>
        <translation>New or shared address</translation>
    </message>
    <message>
        <source>失效</source>
        <translation>dead</translation>
    </message>
    <message>
        <source>已移动</source>
        <translation>moved</translation>
    </message>
    <message>
        <source>拒绝访问</source>
        <translation>blocked</translation>
    </message>
    <message>
        <source>重复</source>
        <translation>duplicate</translation>
    </message>
    <message>
        <source>未检查</source>
        <translation>not checked</translation>
    </message>
    <message>
        <source>找不到主机名</source>
        <translation>name not found</translation>
    </message>
    <message>
        <source>连接被拒绝</source>
        <translation>connection refused</translation>
    </message>
    <message>
        <source>连接被重置</source>
        <translation>connection reset</translation>
    </message>
    <message>
        <source>TLS 握手失败</source>
        <translation>TLS failure</translation>
    </message>
    <message>
        <source>超时</source>
        <translation>time-out</translation>
    </message>
    <message>
        <source>主机没有应答</source>
        <translation>host does not answer</translation>
    </message>
    <message>
        <source>访问过于频繁，被限制</source>
        <translation>rate limited</translation>
    </message>
    <message>
        <source>重定向循环</source>
        <translation>redirect loop</translation>
    </message>
    <message>
        <source>重定向次数过多</source>
        <translation>too many redirects</translation>
    </message>
    <message>
        <source>重定向没有目标地址</source>
        <translation>redirect without Location</translation>
    </message>
    <message>
        <source>重定向到无效地址</source>
        <translation>redirect to a bad address</translation>
    </message>
    <message>
        <source>重定向到 %1: 地址</source>
        <translation>redirect to %1:</translation>
    </message>
    <message>
        <source>服务器的应答格式错误</source>
        <translation>malformed answer</translation>
    </message>
    <message>
        <source>地址无效</source>
        <translation>bad address</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>file not found</translation>
    </message>
    <message>
        <source>检查已停止</source>
        <translation>stopped</translation>
    </message>
    <message>
        <source>已停止。</source>
        <translation>Stopped. </translation>
    </message>
    <message numerus="yes">
        <source>共 %n 处</source>
        <translation>
            <numerusform>%n place</numerusform>
            <numerusform>%n places</numerusform>
        </translation>
    </message>
    <message>
        <source>已检查 %1：%2，%3，%4，%5；%6（%7）；%8。</source>
        <translation>Checked %1: %2, %3, %4, %5; %6 (%7); %8.</translation>
    </message>
    <message numerus="yes">
        <source>%1 / %n 个链接</source>
        <translation>
            <numerusform>%1 of %n link</numerusform>
            <numerusform>%1 of %n links</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个正常</source>
        <translation>
            <numerusform>%n ok</numerusform>
            <numerusform>%n ok</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个失效</source>
        <translation>
            <numerusform>%n dead</numerusform>
            <numerusform>%n dead</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个已移动</source>
        <translation>
            <numerusform>%n moved</numerusform>
            <numerusform>%n moved</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个拒绝访问</source>
        <translation>
            <numerusform>%n blocked</numerusform>
            <numerusform>%n blocked</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个地址重复</source>
        <translation>
            <numerusform>%n address filed more than once</numerusform>
            <numerusform>%n addresses filed more than once</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个未检查（其他协议）</source>
        <translation>
            <numerusform>%n not checked (other schemes)</numerusform>
            <numerusform>%n not checked (other schemes)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个链接因检查停止而未检查。</source>
        <translation>
            <numerusform> %n link not checked because the check was stopped.</numerusform>
            <numerusform> %n links not checked because the check was stopped.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个结果取自先前的检查。</source>
        <translation>
            <numerusform> %n verdict taken from an earlier check.</numerusform>
            <numerusform> %n verdicts taken from earlier checks.</numerusform>
        </translation>
    </message>
    <message>
        <source>网络似乎无法连接</source>
        <translation>the network seems unreachable</translation>
    </message>
    <message numerus="yes">
        <source>%n 个链接未检查：网络似乎无法连接。</source>
        <translation>
            <numerusform> %n link not checked: the network seems unreachable.</numerusform>
            <numerusform> %n links not checked: the network seems unreachable.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ColorLabel</name>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>ColorPanel</name>
    <message>
        <source>背景颜色：%1</source>
        <translation>Background color: %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>打开向导</source>
        <translation>open the wizard</translation>
    </message>
    <message>
        <source>linkshelf 设置文件.lfs</source>
        <translation>linkshelf SETTINGS.lfs</translation>
    </message>
    <message>
        <source>按这个设置文件生成页面，不打开向导</source>
        <translation>generate the page with these settings, unattended</translation>
    </message>
    <message>
        <source>按默认设置文件生成页面</source>
        <translation>generate the page with the default settings file</translation>
    </message>
    <message>
        <source>linkshelf --import 来源 [文件夹]</source>
        <translation>linkshelf --import SOURCE [FOLDER]</translation>
    </message>
    <message>
        <source>linkshelf --check [设置文件.lfs] [--json] [--max-age 时长]</source>
        <translation>linkshelf --check [SETTINGS.lfs] [--json] [--max-age AGE]</translation>
    </message>
    <message>
        <source>检查页面的链接：失效、已移动、拒绝访问、重复；--max-age 1d 采用一天之内先前检查的结果</source>
        <translation>check the page&apos;s links: dead, moved, blocked, duplicate; --max-age 1d takes verdicts of earlier checks up to a day old</translation>
    </message>
    <message>
        <source>显示这个帮助</source>
        <translation>show this help</translation>
    </message>
    <message>
        <source>显示版本</source>
        <translation>show the version</translation>
    </message>
    <message>
        <source>页面已经写好（或者向导已经关闭）</source>
        <translation>the page was written (and the wizard was closed)</translation>
    </message>
    <message>
        <source>没有找到快捷方式；什么也没有写入</source>
        <translation>no shortcut was found; nothing was written</translation>
    </message>
    <message>
        <source>--check 发现了失效的链接（1：检查不能进行，或者被 Ctrl+C 停止，无论已经发现了什么）</source>
        <translation>--check found a dead link (1: the check could not run or was stopped with Ctrl+C, whatever it had found)</translation>
    </message>
    <message>
        <source>用法：</source>
        <translation>Usage:</translation>
    </message>
    <message>
        <source>退出状态：</source>
        <translation>Exit status:</translation>
    </message>
    <message>
        <source>
默认设置文件：%1
</source>
        <translation>
Default settings file: %1
</translation>
    </message>
    <message>
        <source>按时（每天或每小时，用 systemd 用户定时器）按默认设置重新生成页面，on-change 时快捷方式文件夹改变也重新生成（可以和 daily|hourly 一起用）；off 停止</source>
        <translation>rebuild the page of the default settings daily or hourly (systemd user timer), also when its folder changes (on-change, with or without daily|hourly); off stops it</translation>
    </message>
    <message>
        <source>多余的参数 &quot;%1&quot;。</source>
        <translation>Unexpected argument &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; 只能是第一个参数。</source>
        <translation>&quot;%1&quot; must be the first argument.</translation>
    </message>
    <message>
        <source>不认识的选项 &quot;%1&quot;。</source>
        <translation>Unknown option &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>选项 &quot;%1&quot; 需要一个值。</source>
        <translation>The option &quot;%1&quot; needs a value.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; 缺少参数。</source>
        <translation>&quot;%1&quot; is missing an argument.</translation>
    </message>
    <message>
        <source>用法：%1</source>
        <translation>Usage: %1</translation>
    </message>
    <message>
        <source>全部用法：linkshelf --help</source>
        <translation>All forms: linkshelf --help</translation>
    </message>
    <message>
        <source>撤销最近一批改动：文件从回收站还原，写回原来的地址，或去掉获取的网站图标</source>
        <translation>undo the last batch of changes: files back from the Trash, old addresses written back, or fetched site icons taken out</translation>
    </message>
    <message>
        <source>linkshelf --check [设置文件.lfs] 改动 [--dry-run]</source>
        <translation>linkshelf --check [SETTINGS.lfs] CHANGES [--dry-run]</translation>
    </message>
    <message>
        <source>检查之后的改动：--update-moved 把已移动的链接更新为新地址，--trash-dead 和 --trash-duplicates 把失效的链接和多余的重复链接移到回收站（每个地址留下页面上的第一处）；--dry-run 只显示将要做的改动</source>
        <translation>CHANGES after the check: --update-moved points moved links at their new address, --trash-dead and --trash-duplicates move dead links and extra copies of duplicates to the Trash (each address keeps its first place on the page); --dry-run only shows what would change</translation>
    </message>
    <message>
        <source>导入书签：一个书签文件，或浏览器 firefox、firefox-backup、librewolf、floorp、waterfox、zen、chromium、chrome、brave、edge、vivaldi、opera、yandex、ungoogled-chromium、falkon、konqueror、epiphany、qutebrowser</source>
        <translation>import bookmarks: a bookmarks file, or the browser firefox, firefox-backup, librewolf, floorp, waterfox, zen, chromium, chrome, brave, edge, vivaldi, opera, yandex, ungoogled-chromium, falkon, konqueror, epiphany or qutebrowser</translation>
    </message>
    <message>
        <source>linkshelf --fetch-icons [设置文件.lfs]</source>
        <translation>linkshelf --fetch-icons [SETTINGS.lfs]</translation>
    </message>
    <message>
        <source>为页面上还没有网站图标的链接，从链接自己的网站获取图标并存入快捷方式文件夹</source>
        <translation>fetch the site icons of the page&apos;s links that have none, from each link&apos;s own site, and keep them in the folder of shortcuts</translation>
    </message>
    <message>
        <source>linkshelf --export 文件 [设置文件.lfs] [--format html|xbel]</source>
        <translation>linkshelf --export FILE [SETTINGS.lfs] [--format html|xbel]</translation>
    </message>
    <message>
        <source>把页面列出的链接导出为书签文件，浏览器可以导入：文件以 .html 或 .htm 结尾时是网页书签文件（带图标），以 .xbel 结尾时是 XBEL 1.0</source>
        <translation>export the links the page lists as a bookmarks file browsers import: a bookmark file with icons for FILE ending in .html or .htm, XBEL 1.0 for .xbel</translation>
    </message>
    <message>
        <source>页面没有写成或者运行失败：指定的设置文件不存在或不是 .lfs 文件，它指定的快捷方式文件夹或模板不存在或不能读取，没有指定快捷方式文件夹，模板是空的，向导不能打开显示器或已经打开，导入什么也没有写入，--export 没能写入书签文件，或者 --refresh 没能设置自动更新（没有 systemd 用户实例时它打印应改用的 crontab 行），--check 不能记录要做的改动，或者 --undo 没有可以撤销的改动或跳过了其中一些</source>
        <translation>the page could not be written or the run failed: the settings file named does not exist or is not a .lfs file, the folder of shortcuts or the template it names is missing or unreadable, no folder of shortcuts is set, the template is empty, the wizard cannot open a display or is already open, the import wrote nothing, --export could not write the bookmarks file, --refresh could not set up the refresh (without a systemd user manager it prints the crontab line to use instead), --check could not record the changes it was to make, or --undo found nothing to undo or skipped some of it</translation>
    </message>
    <message>
        <source>网络似乎无法连接：--check 没有发现失效的链接，但留下了未检查的链接；--fetch-icons 一个网站也访问不了</source>
        <translation>the network seemed unreachable: --check found nothing dead but left links not checked, or --fetch-icons could reach no site</translation>
    </message>
</context>
<context>
    <name>ConsoleDesktop</name>
    <message>
        <source>错误</source>
        <translation>error</translation>
    </message>
    <message>
        <source>信息</source>
        <translation>info</translation>
    </message>
</context>
<context>
    <name>ExportCommand</name>
    <message>
        <source>--format 只能是 html 或 xbel，而不是 &quot;%1&quot;。</source>
        <translation>--format takes html or xbel, not &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>不知道用哪种格式导出到 &quot;%1&quot;：文件名应以 .html、.htm 或 .xbel 结尾，或者用 --format html 或 --format xbel 指定。</source>
        <translation>Which format to export to &quot;%1&quot; is not known: the file name should end in .html, .htm or .xbel, or name the format with --format html or --format xbel.</translation>
    </message>
    <message>
        <source>不能把书签导出到设置文件 &quot;%1&quot; 上。</source>
        <translation>Cannot export the bookmarks over the settings file &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>FetchIconsCommand</name>
    <message>
        <source>正在获取网站图标 %1/%2</source>
        <translation>Fetching site icons %1/%2</translation>
    </message>
</context>
<context>
    <name>FileDialog</name>
    <message>
        <source>
路径不存在。
请检查路径，然后再试一次。</source>
        <translation>
The path does not exist.
Check the path and try again.</translation>
    </message>
</context>
<context>
    <name>FolderPicker</name>
    <message>
        <source>包括子文件夹(&amp;S)   </source>
        <translation>Include &amp;subfolders</translation>
    </message>
    <message>
        <source>浏览文件夹</source>
        <translation>Browse for Folder</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>主文件夹</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>文件系统</source>
        <translation>File System</translation>
    </message>
</context>
<context>
    <name>FormImport</name>
    <message>
        <source>浏览文件夹...</source>
        <translation>Browse for folder...</translation>
    </message>
    <message>
        <source>导入结果</source>
        <translation>Import result</translation>
    </message>
</context>
<context>
    <name>FormMain</name>
    <message>
        <source>自动更新页面(&amp;U)...</source>
        <translation>Keep the Page &amp;Up to Date...</translation>
    </message>
    <message>
        <source>该程序是免费的。要获得更多更好的软件，请访问我们的主页：</source>
        <translation>This program is free. For more and better software, visit our home page:</translation>
    </message>
    <message>
        <source>版权所有 © 2026 Linkshelf 项目</source>
        <translation>Copyright © 2026 the Linkshelf project</translation>
    </message>
    <message>
        <source>开发：Linkshelf 团队，以 Qt 构建</source>
        <translation>Made by the Linkshelf team with Qt</translation>
    </message>
    <message>
        <source>从这个文件夹内的链接生成页面(&amp;G)：</source>
        <translation>&amp;Make the page from the links in this folder:</translation>
    </message>
    <message>
        <source>包括子文件夹</source>
        <translation>Include &amp;subfolders</translation>
    </message>
    <message>
        <source>保存生成的页面到这个文件(&amp;A)：</source>
        <translation>S&amp;ave the page to this file:</translation>
    </message>
    <message>
        <source>页面标题(&amp;T)：</source>
        <translation>Page &amp;title:</translation>
    </message>
    <message>
        <source>您页面的字体(&amp;A)</source>
        <translation>Pa&amp;ge font:</translation>
    </message>
    <message>
        <source>在网站名称后显示当前 URL (&amp;S)</source>
        <translation>&amp;Show each site&apos;s URL after its name</translation>
    </message>
    <message>
        <source>文本颜色</source>
        <translation>Text color</translation>
    </message>
    <message>
        <source>链接颜色</source>
        <translation>Link color</translation>
    </message>
    <message>
        <source>访问过的链接颜色</source>
        <translation>Visited link color</translation>
    </message>
    <message>
        <source>完成时用网页浏览器载入(&amp;W)</source>
        <translation>Open the page in the &amp;web browser when done</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>选项(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&lt; 返回(&amp;B)</source>
        <translation>&lt; &amp;Back</translation>
    </message>
    <message>
        <source>继续(&amp;N) &gt;</source>
        <translation>&amp;Next &gt;</translation>
    </message>
    <message>
        <source>Linkshelf 主页</source>
        <translation>Linkshelf home page</translation>
    </message>
    <message>
        <source>浏览文件夹...</source>
        <translation>Browse for folder...</translation>
    </message>
    <message>
        <source>浏览文件...</source>
        <translation>Browse for file...</translation>
    </message>
    <message>
        <source>显示网站图标(&amp;I)</source>
        <translation>Show site &amp;icons</translation>
    </message>
    <message>
        <source>也导入：</source>
        <translation>Also import:</translation>
    </message>
</context>
<context>
    <name>FormOptions</name>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>忽略文件夹</source>
        <translation>Ignored Folders</translation>
    </message>
    <message>
        <source>添加(&amp;A)...</source>
        <translation>&amp;Add...</translation>
    </message>
    <message>
        <source>移除(&amp;R)</source>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>FormProgress</name>
    <message>
        <source>正在工作...</source>
        <translation>Working...</translation>
    </message>
</context>
<context>
    <name>FormRefresh</name>
    <message>
        <source>自动更新页面</source>
        <translation>Keep the Page Up to Date</translation>
    </message>
    <message>
        <source>不自动更新(&amp;N)</source>
        <translation>&amp;Off</translation>
    </message>
    <message>
        <source>每天更新(&amp;D)</source>
        <translation>Update &amp;daily</translation>
    </message>
    <message>
        <source>每小时更新(&amp;H)</source>
        <translation>Update &amp;hourly</translation>
    </message>
    <message>
        <source>快捷方式文件夹改变时也更新(&amp;C)</source>
        <translation>Also update when the shortcut folder &amp;changes</translation>
    </message>
    <message>
        <source>自动更新按默认设置文件 &quot;%1&quot; 重新生成页面 &quot;%2&quot;。</source>
        <translation>Automatic updates rebuild the page &quot;%2&quot; from the default settings file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>每次更新前先重新导入 %1 的书签。</source>
        <translation> Before each update, the %1 bookmarks are imported again.</translation>
    </message>
    <message>
        <source>您现在用的是另一个设置文件，自动更新不使用它。</source>
        <translation>You are using a different settings file now; automatic updates do not use it.</translation>
    </message>
    <message>
        <source>按“确定”时，向导中的设置先保存到默认设置文件。</source>
        <translation>When you click OK, the wizard&apos;s settings are first saved to the default settings file.</translation>
    </message>
    <message>
        <source>现在不自动更新页面。</source>
        <translation>The page is not updated automatically.</translation>
    </message>
    <message>
        <source>现在每小时自动更新页面。</source>
        <translation>The page is updated automatically every hour.</translation>
    </message>
    <message>
        <source>现在每天自动更新页面。</source>
        <translation>The page is updated automatically every day.</translation>
    </message>
    <message>
        <source>快捷方式文件夹改变时也会更新。</source>
        <translation> It is also updated when the shortcut folder changes.</translation>
    </message>
    <message>
        <source>上次自动更新失败了：原因见 &quot;journalctl --user -u linkshelf-refresh.service&quot;。</source>
        <translation>The last automatic update failed. To see why, run &quot;journalctl --user -u linkshelf-refresh.service&quot;.</translation>
    </message>
    <message>
        <source>要每小时更新，把 @daily 换成 @hourly。</source>
        <translation> To update every hour, change @daily to @hourly.</translation>
    </message>
    <message>
        <source>crontab 行</source>
        <translation>crontab line</translation>
    </message>
</context>
<context>
    <name>IconFetcher</name>
    <message>
        <source>不能保存网站图标 &quot;%1&quot;。</source>
        <translation>Cannot keep the site icon &quot;%1&quot;.</translation>
    </message>
    <message numerus="yes">
        <source>已为 %n 个链接取得网站图标。</source>
        <translation>
            <numerusform>Fetched the site icon of %n link.</numerusform>
            <numerusform>Fetched the site icons of %n links.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个链接的网站没有图标。</source>
        <translation>
            <numerusform> The site of %n link has no icon.</numerusform>
            <numerusform> The sites of %n links have no icon.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个链接的网站给出的图标不是图片，已拒绝。</source>
        <translation>
            <numerusform> Refused the icon of %n link: not an image.</numerusform>
            <numerusform> Refused the icons of %n links: not images.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个链接的图标没能保存：%1</source>
        <translation>
            <numerusform> The icon of %n link could not be kept: %1</numerusform>
            <numerusform> The icons of %n links could not be kept: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个链接的网站无法访问：%1。</source>
        <translation>
            <numerusform> The site of %n link could not be reached: %1.</numerusform>
            <numerusform> The sites of %n links could not be reached: %1.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImportOffer</name>
    <message>
        <source>在这台计算机上没有找到浏览器的书签。您可以导入浏览器导出的书签文件：</source>
        <translation>No browser bookmarks were found here. You can import a file that a browser exported:</translation>
    </message>
    <message>
        <source>还没有快捷方式文件夹。单击一个浏览器，把它的书签导入到收藏夹文件夹：</source>
        <translation>No folder of shortcuts yet. Click a browser to import its bookmarks:</translation>
    </message>
    <message numerus="yes">
        <source>%1（%n 个链接）</source>
        <translation>
            <numerusform>%1 (%n link)</numerusform>
            <numerusform>%1 (%n links)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImportTexts</name>
    <message>
        <source>书签栏</source>
        <translation>Bookmarks bar</translation>
    </message>
    <message>
        <source>其他书签</source>
        <translation>Other bookmarks</translation>
    </message>
    <message>
        <source>移动设备书签</source>
        <translation>Mobile bookmarks</translation>
    </message>
    <message>
        <source>书签工具栏</source>
        <translation>Bookmarks Toolbar</translation>
    </message>
    <message>
        <source>书签菜单</source>
        <translation>Bookmarks Menu</translation>
    </message>
    <message>
        <source>不能读取书签文件 %1：%2</source>
        <translation>Cannot read the bookmarks file %1: %2</translation>
    </message>
    <message>
        <source>书签文件 %1 已损坏，不能读取：%2</source>
        <translation>The bookmarks file %1 is damaged and cannot be read: %2</translation>
    </message>
    <message>
        <source>书签文件 %1 的文件夹嵌套超过 %2 层，不能导入。</source>
        <translation>The bookmarks file %1 nests folders more than %2 levels deep and cannot be imported.</translation>
    </message>
    <message>
        <source>书签文件 %1 提前结束，内容不完整（可能还没有写完，或只复制了一部分），不能导入。原有的书签保持不变。</source>
        <translation>The bookmarks file %1 ends too early: it is incomplete (perhaps still being written, or only partly copied) and cannot be imported. The bookmarks imported before are unchanged.</translation>
    </message>
    <message>
        <source>书签文件 %1 的版本不受支持，不能读取。</source>
        <translation>The bookmarks file %1 is of a version that is not supported and cannot be read.</translation>
    </message>
    <message>
        <source>在这台计算机上没有找到 %1 的书签。</source>
        <translation>No %1 bookmarks were found on this computer.</translation>
    </message>
    <message>
        <source>不能复制书签数据库 %1：%2</source>
        <translation>Cannot copy the bookmarks database %1: %2</translation>
    </message>
    <message>
        <source>不能创建文件夹 %1：%2</source>
        <translation>Cannot create the folder %1: %2</translation>
    </message>
    <message>
        <source>不能写入文件夹 %1：%2。原有的书签保持不变。</source>
        <translation>Cannot write to the folder %1: %2. The bookmarks imported before are unchanged.</translation>
    </message>
    <message>
        <source>%1 已经存在，但不是文件夹。请移走它，或选择其它文件夹。</source>
        <translation>%1 already exists but is not a folder. Move it away, or choose another folder.</translation>
    </message>
    <message>
        <source>未命名文件夹</source>
        <translation>Untitled folder</translation>
    </message>
    <message>
        <source>未命名链接</source>
        <translation>Untitled link</translation>
    </message>
    <message>
        <source>已导入 %1和 %2到 %3。</source>
        <translation>Imported %1 and %2 into %3.</translation>
    </message>
    <message numerus="yes">
        <source>%n 个链接</source>
        <translation>
            <numerusform>%n link</numerusform>
            <numerusform>%n links</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个文件夹</source>
        <translation>
            <numerusform>%n folder</numerusform>
            <numerusform>%n folders</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>跳过了 %n 个不能在网页中打开的链接。</source>
        <translation>
            <numerusform> Skipped %n link a web page cannot open.</numerusform>
            <numerusform> Skipped %n links a web page cannot open.</numerusform>
        </translation>
    </message>
    <message>
        <source>没有标签的书签</source>
        <translation>Bookmarks without tags</translation>
    </message>
    <message>
        <source>记录的大小与压缩的数据不符</source>
        <translation>the size it gives does not fit the compressed data</translation>
    </message>
    <message>
        <source>压缩的数据无效</source>
        <translation>the compressed data is not valid</translation>
    </message>
    <message>
        <source>表格的位置超出了文件或没有对齐</source>
        <translation>a table lies outside the file or is not aligned</translation>
    </message>
    <message>
        <source>文件 %1 不是书签文件。请选择浏览器导出的书签文件（HTML 或 XBEL），或浏览器自己的书签文件：Firefox 的 places.sqlite 或书签备份（.jsonlz4、.json），Chromium 系浏览器的 Bookmarks，Falkon 的 bookmarks.json，GNOME Web 的 bookmarks.gvdb，qutebrowser 的 urls 或 quickmarks。</source>
        <translation>The file %1 is not a bookmarks file. Choose a bookmarks file exported by a browser (HTML or XBEL), or a browser&apos;s own bookmarks file: Firefox&apos;s places.sqlite or bookmark backup (.jsonlz4, .json), the Bookmarks file of a Chromium-based browser, Falkon&apos;s bookmarks.json, GNOME Web&apos;s bookmarks.gvdb, or qutebrowser&apos;s urls or quickmarks.</translation>
    </message>
    <message>
        <source>文件 %1 不是 XBEL 书签文件：它的第一个元素不是 xbel。</source>
        <translation>The file %1 is not an XBEL bookmarks file: its first element is not xbel.</translation>
    </message>
    <message>
        <source>书签文件 %1 中的别名（alias）展开后的书签比文件本身多得太多，不能导入。</source>
        <translation>The bookmarks file %1 cannot be imported: its aliases would make far more bookmarks than the file holds.</translation>
    </message>
    <message>
        <source>没有找到 %1。请指定书签文件，或以下浏览器之一：%2。</source>
        <translation>%1 was not found. Name a bookmarks file, or one of these browsers: %2.</translation>
    </message>
    <message>
        <source>书签</source>
        <translation>Bookmarks</translation>
    </message>
    <message>
        <source>快速标记</source>
        <translation>Quickmarks</translation>
    </message>
    <message>
        <source>不能读取网站图标数据库 %1。</source>
        <translation>Cannot read the site icon database %1.</translation>
    </message>
    <message numerus="yes">
        <source>%n 个链接带有网站图标。</source>
        <translation>
            <numerusform> %n link has its site icon.</numerusform>
            <numerusform> %n links have their site icons.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个图标不是可用的图片，已跳过。</source>
        <translation>
            <numerusform> Skipped %n icon that is not a usable image.</numerusform>
            <numerusform> Skipped %n icons that are not usable images.</numerusform>
        </translation>
    </message>
    <message>
        <source>浏览器的网站图标无法读取，链接导入时不带图标：%1</source>
        <translation> The browser&apos;s site icons could not be read; the links were imported without icons: %1</translation>
    </message>
    <message>
        <source>Firefox 备份</source>
        <translation>Firefox backup</translation>
    </message>
</context>
<context>
    <name>LocaleFormat</name>
    <message>
        <source>zh-CN</source>
        <comment>the language tag of pages written in this language</comment>
        <translation>en</translation>
    </message>
</context>
<context>
    <name>RefreshCommand</name>
    <message>
        <source>cron 不能在文件夹改变时更新页面：这一行只按时更新。</source>
        <translation>cron cannot update the page when the folder changes: this line updates it on schedule only.</translation>
    </message>
    <message>
        <source>页面 &quot;%1&quot; 将每小时自动更新。</source>
        <translation>The page &quot;%1&quot; will be updated automatically every hour.</translation>
    </message>
    <message>
        <source>页面 &quot;%1&quot; 将每天自动更新。</source>
        <translation>The page &quot;%1&quot; will be updated automatically every day.</translation>
    </message>
    <message>
        <source>每次更新前先把 %1 的书签重新导入到 &quot;%2&quot;。</source>
        <translation>Before each update, the %1 bookmarks are imported again into &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>下面这些文件或文件夹改变时也会更新：</source>
        <translation>It is also updated when these files or folders change:</translation>
    </message>
    <message>
        <source>已关闭页面的自动更新。</source>
        <translation>Automatic updates of the page are turned off.</translation>
    </message>
    <message>
        <source>这里没有可用的 systemd 用户实例。如果您把 Linkshelf 的那一行加进了 crontab，请用 &quot;crontab -e&quot; 删除它。</source>
        <translation>There is no systemd user instance here. If you added Linkshelf&apos;s line to your crontab, remove it with &quot;crontab -e&quot;.</translation>
    </message>
    <message>
        <source>用法：linkshelf --refresh daily|hourly [on-change]、linkshelf --refresh on-change 或者 linkshelf --refresh off
按时（daily 每天，hourly 每小时）用默认设置文件重新生成页面；on-change：快捷方式文件夹改变时也重新生成（单独使用时保留已设的时间，否则每天）；off：关闭自动更新。</source>
        <translation>Usage: linkshelf --refresh daily|hourly [on-change], linkshelf --refresh on-change or linkshelf --refresh off
Rebuilds the page from the default settings file on a schedule (daily or hourly); on-change: also when the shortcut folder changes (on its own, it keeps the schedule already set, or else daily); off: turns automatic updates off.</translation>
    </message>
</context>
<context>
    <name>RefreshPlanner</name>
    <message>
        <source>文件 &quot;%1&quot; 在受监视的文件夹 &quot;%2&quot; 里：每次更新都会改写它，从而再次引发更新。请把页面保存到别的文件夹，或者只按时更新。</source>
        <translation>The file &quot;%1&quot; is in the watched folder &quot;%2&quot;: every update rewrites it and so starts another update. Save the page in another folder, or update on a schedule only.</translation>
    </message>
</context>
<context>
    <name>RefreshSetup</name>
    <message>
        <source>systemd 用户实例找不到 Linkshelf 的单元 linkshelf-refresh.service、.timer 和 .path（Linkshelf 的软件包把它们装在 /usr/lib/systemd/user/ 中），所以不能用它自动更新页面。</source>
        <translation>The systemd user instance cannot find Linkshelf&apos;s units linkshelf-refresh.service, .timer and .path (the Linkshelf package installs them in /usr/lib/systemd/user/), so it cannot update the page automatically.</translation>
    </message>
    <message>
        <source>请改用 cron：用 &quot;crontab -e&quot; 把下面这一行加进您的 crontab。</source>
        <translation>Use cron instead: add the line below to your crontab with &quot;crontab -e&quot;.</translation>
    </message>
    <message>
        <source>路径 &quot;%1&quot; 不能写进 systemd 单元文件（它含有控制字符、不是 UTF-8 文本，或者以空格或反斜杠结尾）。</source>
        <translation>The path &quot;%1&quot; cannot go into a systemd unit file (it contains control characters, is not UTF-8 text, or ends in a space or a backslash).</translation>
    </message>
    <message>
        <source>自动更新仍然打开着：没有 systemd 用户实例可以关掉它。请在您的桌面会话中运行 &quot;linkshelf --refresh off&quot;。</source>
        <translation>Automatic updates are still on: there is no systemd user instance to turn them off. Run &quot;linkshelf --refresh off&quot; in your desktop session.</translation>
    </message>
    <message>
        <source>systemctl --user %1 失败了。</source>
        <translation>systemctl --user %1 failed.</translation>
    </message>
    <message>
        <source>不能写入文件 &quot;%1&quot;。</source>
        <translation>Cannot write the file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>不能删除文件 &quot;%1&quot;。</source>
        <translation>Cannot delete the file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>自动更新需要 systemd 用户实例（用户的服务管理器），这里没有，所以 Linkshelf 不能自己安排更新。</source>
        <translation>Automatic updates need a systemd user instance (the user&apos;s service manager), and there is none here, so Linkshelf cannot schedule them itself.</translation>
    </message>
</context>
<context>
    <name>RunTexts</name>
    <message>
        <source>不能为显示装载生成的文件。请检查网页浏览器是否已经和 HTML 文件相关联。</source>
        <translation>The page could not be opened for display. Check that a web browser is set to open HTML files.</translation>
    </message>
    <message>
        <source>Linkshelf在指定的文件夹内没有找到任何 Internet 快捷方式文件。没有您的链接文件，程序将不能创建您想要的页面。                                             <byte value="xd"/>
<byte value="xd"/>
如果您愿意，您可以跳回去并指定其它要搜索的位置。                     </source>
        <translation>Linkshelf found no Internet shortcut files in the folder you chose. Without your link files it cannot make your page.<byte value="xd"/>
<byte value="xd"/>
If you like, go back and choose another place to look.</translation>
    </message>
    <message>
        <source>不能保存页面到文件 &quot;%1&quot; 。           <byte value="xd"/>
<byte value="xd"/>
如果文件名称有效并且您具有完全的权限来写入到这个文件，请选中。                                </source>
        <translation>The page could not be saved to the file &quot;%1&quot;.<byte value="xd"/>
<byte value="xd"/>
Check that the file name is valid and that you may write to this file.</translation>
    </message>
    <message>
        <source>不能打开快捷方式文件夹 &quot;%1&quot; 。</source>
        <translation>Cannot open the folder of shortcuts &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>文件是空的</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>内存不足，Linkshelf 无法生成页面。</source>
        <translation>Linkshelf ran out of memory and could not make the page.</translation>
    </message>
    <message>
        <source>Linkshelf 生成页面时出错：%1</source>
        <translation>Linkshelf could not make the page: %1</translation>
    </message>
    <message>
        <source>没有快捷方式文件夹：请用 &quot;linkshelf --import 浏览器&quot; 导入浏览器的书签（&quot;linkshelf --help&quot; 列出可以导入的浏览器），或者在设置文件中指定一个文件夹。</source>
        <translation>There is no folder of shortcuts: import a browser&apos;s bookmarks with &quot;linkshelf --import BROWSER&quot; (&quot;linkshelf --help&quot; lists the browsers it can import), or name a folder in the settings file.</translation>
    </message>
    <message>
        <source>还没有选择快捷方式文件夹。请返回到文件夹页面，单击一个浏览器的按钮导入它的书签，或者选择一个文件夹；也可以用“选项”菜单中的“从浏览器导入书签...”导入书签。</source>
        <translation>No folder of shortcuts is chosen yet. Go back to the folder page and click a browser&apos;s button there to import its bookmarks, or choose a folder; Import Bookmarks from a Browser... in the Options menu imports bookmarks too.</translation>
    </message>
    <message>
        <source>搜索的文件夹：%1</source>
        <translation>Folder searched: %1</translation>
    </message>
    <message>
        <source>不能用页面模板 &quot;%1&quot; 生成页面，页面没有写入。</source>
        <translation>The page cannot be made from the template &quot;%1&quot;, so it was not written.</translation>
    </message>
    <message numerus="yes">
        <source>Linkshelf已经完成了创建您的书签页面，并且把它保存到了磁盘文件 &quot;%1&quot; 。                          <byte value="xd"/>
<byte value="xd"/>
合计找到 %n 个链接   </source>
        <translation>
            <numerusform>Linkshelf has made your bookmarks page and saved it to the file &quot;%1&quot;.<byte value="xd"/>
<byte value="xd"/>
%n link found.</numerusform>
            <numerusform>Linkshelf has made your bookmarks page and saved it to the file &quot;%1&quot;.<byte value="xd"/>
<byte value="xd"/>
%n links found.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source><byte value="xd"/>
<byte value="xd"/>
%n 文件夹的目录被忽略。                 </source>
        <translation>
            <numerusform><byte value="xd"/>
<byte value="xd"/>
%n folder ignored.</numerusform>
            <numerusform><byte value="xd"/>
<byte value="xd"/>
%n folders ignored.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>这不是 Linkshelf 设置文件（设置文件的名称以 .lfs 结尾）。</source>
        <translation>This is not a Linkshelf settings file (the names of settings files end in .lfs).</translation>
    </message>
    <message>
        <source>正加载文件 &quot;%1&quot; 时出现一个错误！</source>
        <translation>An error occurred while loading the file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>正保存文件 &quot;%1&quot; 时出现一个错误！</source>
        <translation>An error occurred while saving the file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>另一个 Linkshelf 正在保存这个设置文件。</source>
        <translation>Another Linkshelf is saving this settings file.</translation>
    </message>
</context>
<context>
    <name>Strings</name>
    <message>
        <source>欢迎您使用 Linkshelf 。这个程序自动从 Internet Explorer 收藏文件夹中生成列出您的分组收藏夹链接的 HTML 页面。                               <byte value="xd"/>
通过单击“继续 &gt;”按钮来开始自定义页面。如果您想完全自定义最终 HTML 页面，请阅读 Readme.txt 文件上有关如何制作一个自定义模板的内容。                                             </source>
        <translation>Welcome to Linkshelf. It makes an HTML page that lists the links of your Favorites folder, grouped by folder.<byte value="xd"/>
Click Next to start. To change the page completely, read about making a template of your own in Readme.txt.</translation>
    </message>
    <message>
        <source>从将要采取行动的链接那儿选择组，同时指定您想创建的 HTML 文件的名称。默认方式中，一个命名为 Linkpage.htm 的文件将会创建在您的桌面上，这样您可以拖动它到一个您稍后选择的文件夹。 单击“默认”将还原默认设置。                                                                                 </source>
        <translation>Choose the folder of links to use and the HTML file to create. By default, Linkpage.htm is made on your desktop, from where you can drag it to any folder later. Load Factory Defaults in the Options menu restores the default settings.</translation>
    </message>
    <message>
        <source>Linkshelf已经准备好制成页面。                  <byte value="xd"/>
<byte value="xd"/>
如果您愿意，您可以回头去更改您的设置，否则请单击“完成”来完成您的书签页面的创建。                                      </source>
        <translation>Linkshelf is ready to make the page.<byte value="xd"/>
<byte value="xd"/>
You can go back and change your settings, or click Finish to create your bookmarks page.</translation>
    </message>
    <message>
        <source>请为您的页面指定标题，字体和其它设置。                      </source>
        <translation>Choose a title, a font and other settings for your page.</translation>
    </message>
    <message>
        <source>为您的页面选择颜色。            <byte value="xd"/>
<byte value="xd"/>
您可以用鼠标单击它，来更改各个项目的颜色。单击“默认”将使用默认的颜色。                                             </source>
        <translation>Choose the colors of your page.<byte value="xd"/>
<byte value="xd"/>
Choose an item to change its color. Load Factory Defaults in the Options menu restores the default colors.</translation>
    </message>
    <message>
        <source>Linkshelf ver. %1</source>
        <translation>Linkshelf version %1</translation>
    </message>
    <message>
        <source>Linkshelf： 欢迎您       </source>
        <translation>Linkshelf: Welcome</translation>
    </message>
    <message>
        <source>Linkshelf： 已经完成      </source>
        <translation>Linkshelf: Finished</translation>
    </message>
    <message>
        <source>Linkshelf： 步骤 %1 / %2       </source>
        <translation>Linkshelf: Step %1 of %2</translation>
    </message>
    <message>
        <source>完成(&amp;F)</source>
        <translation>&amp;Finish</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>选择包括您想使用的的链接的文件夹：</source>
        <translation>Choose the folder that holds the links you want to use:</translation>
    </message>
    <message>
        <source>包括子文件夹(&amp;S)</source>
        <translation>Include &amp;subfolders</translation>
    </message>
    <message>
        <source>HTML 文件 (*.html *.htm)</source>
        <translation>HTML files (*.html *.htm)</translation>
    </message>
    <message>
        <source>更多(&amp;M)...</source>
        <translation>&amp;More...</translation>
    </message>
    <message>
        <source>从文件载入选项(&amp;L)...</source>
        <translation>&amp;Load Options from File...</translation>
    </message>
    <message>
        <source>保存选项到文件(&amp;S)...</source>
        <translation>&amp;Save Options to File...</translation>
    </message>
    <message>
        <source>载入工厂默认(&amp;D)</source>
        <translation>Load Factory &amp;Defaults</translation>
    </message>
    <message>
        <source>Linkshelf 设置文件 (*.lfs)</source>
        <translation>Linkshelf settings files (*.lfs)</translation>
    </message>
    <message>
        <source>成功地从文件载入设置！</source>
        <translation>The settings were loaded from the file.</translation>
    </message>
    <message>
        <source>默认设置已载入！</source>
        <translation>The default settings are loaded.</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>从浏览器导入书签(&amp;I)...</source>
        <translation>&amp;Import Bookmarks from a Browser...</translation>
    </message>
    <message>
        <source>导入书签</source>
        <translation>Import Bookmarks</translation>
    </message>
    <message>
        <source>从这里导入书签(&amp;S)：</source>
        <translation>Import bookmarks &amp;from:</translation>
    </message>
    <message>
        <source>选择导出的书签文件...</source>
        <translation>Choose an exported bookmarks file...</translation>
    </message>
    <message>
        <source>导入到这个文件夹(&amp;F)：</source>
        <translation>Into this f&amp;older:</translation>
    </message>
    <message>
        <source>导入(&amp;I)</source>
        <translation>&amp;Import</translation>
    </message>
    <message>
        <source>选择导入书签的文件夹：</source>
        <translation>Choose the folder to import the bookmarks into:</translation>
    </message>
    <message>
        <source>Linkshelf： 正在工作中...   </source>
        <translation>Linkshelf: Working...</translation>
    </message>
    <message>
        <source>检查链接(&amp;C)...</source>
        <translation>&amp;Check Links...</translation>
    </message>
    <message>
        <source>检查链接</source>
        <translation>Check Links</translation>
    </message>
    <message>
        <source>复制报告(&amp;C)</source>
        <translation>&amp;Copy Report</translation>
    </message>
    <message>
        <source>只检查失效的链接(&amp;R)</source>
        <translation>&amp;Recheck Dead Links</translation>
    </message>
    <message>
        <source>双击一行可在网页浏览器中打开该地址。</source>
        <translation>Double-click a row to open its address in the web browser.</translation>
    </message>
    <message>
        <source>从将要采取行动的链接那儿选择组，同时指定您想创建的 HTML 文件的名称。这台计算机没有桌面文件夹，所以默认方式中，一个命名为 Linkpage.htm 的文件将会创建在您的主文件夹 &quot;%1&quot; 中，您可以稍后把它移到您选择的文件夹。</source>
        <translation>Choose the folder of links to use and the HTML file to create. There is no Desktop folder here, so by default Linkpage.htm is made in your home folder &quot;%1&quot;, from where you can move it to any folder later.</translation>
    </message>
    <message>
        <source>选择全部失效的(&amp;D)</source>
        <translation>Select all &amp;dead</translation>
    </message>
    <message>
        <source>选择全部已移动的(&amp;M)</source>
        <translation>Select all &amp;moved</translation>
    </message>
    <message>
        <source>选择多余的重复链接(&amp;U)</source>
        <translation>Select extra du&amp;plicates</translation>
    </message>
    <message>
        <source>更新为新地址(&amp;N)</source>
        <translation>Update to the &amp;new address</translation>
    </message>
    <message>
        <source>移到回收站(&amp;T)</source>
        <translation>Move to the &amp;Trash</translation>
    </message>
    <message>
        <source>撤销(&amp;Z)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>所选的行中没有这个按钮能改动的链接。</source>
        <translation>None of the selected rows is a link this button changes.</translation>
    </message>
    <message>
        <source>快捷方式已经改动，页面还列着原来的链接。现在重新生成页面吗？</source>
        <translation>The shortcuts have changed and the page still lists them as they were. Generate the page again now?</translation>
    </message>
    <message>
        <source>书签文件 (*.html *.htm *.xbel *.xml *.json *.jsonlz4 *.sqlite *.gvdb Bookmarks urls quickmarks)</source>
        <translation>Bookmark files (*.html *.htm *.xbel *.xml *.json *.jsonlz4 *.sqlite *.gvdb Bookmarks urls quickmarks)</translation>
    </message>
    <message>
        <source>获取网站图标(&amp;I)</source>
        <translation>Fetch site &amp;icons</translation>
    </message>
    <message>
        <source>正在从链接自己的网站获取图标...</source>
        <translation>Fetching icons from the links&apos; own sites...</translation>
    </message>
    <message>
        <source>导出书签(&amp;E)...</source>
        <translation>&amp;Export Bookmarks...</translation>
    </message>
    <message>
        <source>书签文件 (*.html *.htm);;XBEL 书签 (*.xbel)</source>
        <translation>Bookmark files (*.html *.htm);;XBEL bookmarks (*.xbel)</translation>
    </message>
    <message>
        <source>空白</source>
        <translation>blank</translation>
    </message>
</context>
<context>
    <name>SystemctlRunner</name>
    <message>
        <source>systemctl 没有回应。</source>
        <translation>systemctl did not respond.</translation>
    </message>
</context>
<context>
    <name>Trash</name>
    <message>
        <source>不能移到回收站。</source>
        <translation>Cannot move to the Trash.</translation>
    </message>
    <message>
        <source>不能从回收站还原。</source>
        <translation>Cannot restore from the Trash.</translation>
    </message>
</context>
<context>
    <name>UnattendedRun</name>
    <message>
        <source>Linkshelf： 正在工作中...   </source>
        <translation>Linkshelf: Working...</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>如果不用显示器生成页面，请运行：linkshelf 设置文件.lfs，或 linkshelf -RUN</source>
        <translation> To make the page without one, run: linkshelf SETTINGS.lfs, or linkshelf -RUN</translation>
    </message>
    <message>
        <source>向导需要显示器。</source>
        <translation>The wizard needs a display.</translation>
    </message>
    <message>
        <source>向导不能打开显示器。</source>
        <translation>The wizard cannot open the display.</translation>
    </message>
    <message>
        <source>Linkshelf 的向导已经打开了设置文件 &quot;%1&quot; 。请切换到那个窗口。</source>
        <translation>Linkshelf&apos;s wizard already has the settings file &quot;%1&quot; open. Please switch to that window.</translation>
    </message>
    <message>
        <source>设置文件 &quot;%1&quot; 不存在。</source>
        <translation>The settings file &quot;%1&quot; does not exist.</translation>
    </message>
</context>
</TS>
