// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a page of the shipped template the way a reader does, with real keys and clicks in
// headless Chromium: the filter (case, accents, folder names, addresses, the count), the keys
// ("/", Esc, j/k and the arrows, Enter), the folds kept across reloads, the printed page, the
// page's own texts in the browser's language, and what axe-core finds in the light and the dark
// scheme. Prints one line per failed check.
//
// Usage: node page_reader.mjs PAGE.htm TARGET.htm
// The page is made from a tree of six links: "Café Zürich" (opens TARGET.htm) and "zeta", then
// the folders Empty, News (BBC, Reuters, and the folder Local with Herald) and Tools (grep).
import { createRequire } from "module";

const require = createRequire(new URL("../../bench/package.json", import.meta.url));
const { chromium } = require("playwright-core");
const axeSource = require("fs").readFileSync(require.resolve("axe-core/axe.min.js"), "utf8");

const [pagePath, targetPath] = process.argv.slice(2);
const url = "file://" + pagePath;
let failures = 0;

function expect(what, expected, actual) {
  const want = JSON.stringify(expected), got = JSON.stringify(actual);
  if (want !== got) {
    console.log(`FAIL: ${what}: expected ${want}, got ${got}`);
    failures++;
  }
}

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync"],
});

async function open(context) {
  const page = await context.newPage();
  page.on("pageerror", (error) => {
    console.log(`FAIL: the page's script failed: ${error.message}`);
    failures++;
  });
  await page.goto(url);
  await ready(page);
  return page;
}

// The script finishes its work in idle time: the last thing it adds is the folders' buttons.
const ready = (page) => page.waitForFunction(() => document.querySelectorAll("#links h4 > button.fold").length === 4);

const visibleLinks = (page) => page.evaluate(() =>
  Array.from(document.querySelectorAll("#links a")).filter((a) => a.checkVisibility()).map((a) => a.textContent));
const status = (page) => page.evaluate(() => document.getElementById("status").textContent);
const focused = (page) => page.evaluate(() => {
  const at = document.activeElement;
  return !at || at === document.body ? "(nothing)" : at.id || at.textContent;
});
const expanded = (page) => page.evaluate(() =>
  Array.from(document.querySelectorAll("#links h4 > button")).map((b) => b.getAttribute("aria-expanded")).join(","));
const folder = (page, name) => page.locator("#links h4 > button", { hasText: name });

const every = ["Café Zürich", "zeta", "BBC", "Reuters", "Herald", "grep"];
const chinese = { locale: "zh-CN", viewport: { width: 1200, height: 900 } };
const context = await browser.newContext(chinese);
let page = await open(context);

// The filter: case and accents ignored, folder names and addresses matched, the count told.
await page.keyboard.press("/");
expect("/ goes to the filter", "filter", await focused(page));
const filters = [
  ["CAFE", ["Café Zürich"], "匹配 1 / 6 个链接"],
  ["news", ["BBC", "Reuters", "Herald"], "匹配 3 / 6 个链接"],
  ["gnu.org", ["grep"], "匹配 1 / 6 个链接"],
  ["local", ["Herald"], "匹配 1 / 6 个链接"],
  ["bbc  NEWS", ["BBC"], "匹配 1 / 6 个链接"],
  ["nothing-like-this", [], "匹配 0 / 6 个链接"],
];
for (const [typed, links, count] of filters) {
  await page.fill("#filter", typed);
  expect(`filter "${typed}": links shown`, links, await visibleLinks(page));
  expect(`filter "${typed}": the count`, count, await status(page));
}
await page.keyboard.press("Escape");
expect("Esc clears the filter", ["", "共 6 个链接"], [await page.inputValue("#filter"), await status(page)]);
expect("Esc shows every link again", every, await visibleLinks(page));

// Moving between the links in view: j and k, the arrows, past a closed folder, back to the filter.
await page.keyboard.press("Escape");
const moves = [
  ["j", "Café Zürich"], ["j", "zeta"], ["j", "BBC"], ["k", "zeta"], ["ArrowDown", "BBC"],
  ["ArrowDown", "Reuters"], ["ArrowDown", "Herald"], ["ArrowDown", "grep"], ["ArrowDown", "grep"],
];
for (const [key, link] of moves) {
  await page.keyboard.press(key);
  expect(`${key} moves to`, link, await focused(page));
}
await folder(page, "News").click();
await page.keyboard.press("k");
expect("k from a folder's button goes to the link before it", "zeta", await focused(page));
await page.keyboard.press("j");
expect("j passes a closed folder", "grep", await focused(page));
for (const [key, link] of [["k", "zeta"], ["ArrowUp", "Café Zürich"], ["ArrowUp", "filter"]]) {
  await page.keyboard.press(key);
  expect(`${key} moves to`, link, await focused(page));
}
await page.keyboard.press("ArrowDown");
expect("ArrowDown from the filter goes to the first link", "Café Zürich", await focused(page));
expect("the focus is shown", true, await page.evaluate(() => document.activeElement.matches(":focus-visible")));

// The folds are kept across reloads, each by its folder's path.
await page.reload();
await ready(page);
expect("a closed folder stays closed after a reload", "true,false,true,true", await expanded(page));
expect("its links stay hidden", ["Café Zürich", "zeta", "grep"], await visibleLinks(page));
await page.click("#collapse-all");
await page.reload();
await ready(page);
expect("fold all is kept", "false,false,false,false", await expanded(page));
await page.click("#expand-all");
await folder(page, "Local").click();
await page.reload();
await ready(page);
expect("unfold all, then one folder closed, is kept", "true,true,false,true", await expanded(page));

// On paper every link shows, whatever is folded or filtered, and the toolbar does not.
await page.fill("#filter", "grep");
await page.emulateMedia({ media: "print" });
expect("print shows every link", every, await visibleLinks(page));
expect("print leaves out the toolbar", false, await page.locator("#toolbar").isVisible());
await page.emulateMedia({ media: "screen" });

// Enter opens the focused link.
await page.keyboard.press("Escape");
await page.keyboard.press("Escape");
await page.keyboard.press("j");
await page.keyboard.press("Enter");
await page.waitForURL("file://" + targetPath, { timeout: 10000 }).catch(() => {});
expect("Enter opens the link", "file://" + targetPath, page.url());
await context.close();

// axe-core finds nothing in either scheme, with a folder closed and a filter in use.
for (const colorScheme of ["light", "dark"]) {
  const schemed = await browser.newContext({ ...chinese, colorScheme });
  page = await open(schemed);
  for (const state of ["as loaded", "filtered"]) {
    if (state === "filtered") {
      await folder(page, "Tools").click();
      await page.fill("#filter", "bbc");
    }
    await page.evaluate(axeSource);
    const violations = await page.evaluate(() => axe.run(document).then((r) =>
      r.violations.map((v) => `${v.id} (${v.nodes.map((n) => n.target.join(" ")).join("; ")})`)));
    expect(`axe-core, ${colorScheme} scheme, ${state}`, [], violations);
  }
  await schemed.close();
}

// The page's own texts follow the browser's first language: Chinese for any Chinese, English for
// any other; without scripts, the language of the run that wrote the page (English here). The
// footer is one line, with its date in that language's format.
const chineseFooter = /^由 Linkshelf \S+ 于 \d{4}\/\d{1,2}\/\d{1,2} \d{1,2}:\d{2} 生成$/;
const englishFooter = /^Generated by Linkshelf \S+ on [\w ,\/.]+ at [\d:]+(\s?[AP]M)?$/;
const languages = [
  ["zh-CN", true, "zh-CN", "共 6 个链接 · ", "共 6 个链接", "匹配 1 / 6 个链接", "全部展开", "空文件夹", chineseFooter],
  ["zh-TW", true, "zh-CN", "共 6 个链接 · ", "共 6 个链接", "匹配 1 / 6 个链接", "全部展开", "空文件夹", chineseFooter],
  ["en-US", true, "en", "6 links · updated ", "6 links", "1 of 6 links matches", "Expand all", "Empty folder", englishFooter],
  ["fr-FR", true, "en", "6 links · updated ", "6 links", "1 of 6 links matches", "Expand all", "Empty folder", englishFooter],
  ["zh-CN", false, "en", "6 links · updated ", null, null, null, "Empty folder", englishFooter],
];
for (const [locale, javaScriptEnabled, lang, summary, count, filtered, expand, empty, footer] of languages) {
  const speaking = await browser.newContext({ locale, javaScriptEnabled });
  const what = `${locale}, scripts ${javaScriptEnabled ? "on" : "off"}`;
  page = await speaking.newPage();
  await page.goto(url);
  if (javaScriptEnabled) await ready(page);
  expect(`${what}: the page's language`, lang, await page.getAttribute("html", "lang"));
  expect(`${what}: the summary`, true, (await page.innerText(".summary")).startsWith(summary));
  const footerText = (await page.innerText(".colophon")).trim();
  expect(`${what}: the footer, one line in the page's language (${footerText})`, true, footer.test(footerText));
  expect(`${what}: an empty folder`, `"${empty}"`, await page.evaluate(() =>
    getComputedStyle(document.querySelectorAll("#links dt > dl")[0], "::before").content));
  if (javaScriptEnabled) {
    expect(`${what}: the count`, count, await status(page));
    await page.fill("#filter", "grep");
    expect(`${what}: the count of a filter`, filtered, await status(page));
    expect(`${what}: a button`, expand, await page.innerText("#expand-all"));
  }
  await speaking.close();
}

await browser.close();
process.exit(failures > 0 ? 1 : 0);
