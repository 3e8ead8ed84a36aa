// SPDX-License-Identifier: GPL-3.0-or-later
// Lays out pages of the shipped template in headless Chromium at 800, 1,280 and 1,920 px and
// checks where the folders stand: the folders at the top side by side in as many columns as fit
// (or as there are folders) and filling the width between them, open and folded; links at the
// top above them; the subfolders of a wide folder side by side as well; nothing wider than the
// window. In a tree of many empty folders, the empty ones stand behind one quiet line of their
// own until asked for, and then share lines. Prints one line per failed check.
//
// Usage: node page_layout.mjs PAGES
// PAGES holds layout-TREE-LANGUAGE.htm, written in English (en) and Chinese (zh), for the trees
// page_in_browser.sh makes: 1, 2, 3, 5 and 40 folders at the top, and "empty".
import { createRequire } from "module";

const require = createRequire(new URL("../../bench/package.json", import.meta.url));
const { chromium } = require("playwright-core");
const axeSource = require("fs").readFileSync(require.resolve("axe-core/axe.min.js"), "utf8");

const [pages] = process.argv.slice(2);
let failures = 0;

function expect(what, expected, actual) {
  const want = JSON.stringify(expected), got = JSON.stringify(actual);
  if (want !== got) {
    console.log(`FAIL: ${what}: expected ${want}, got ${got}`);
    failures++;
  }
}

// Each row: the tree, the window's width, the browser's language, the columns the folders at the
// top stand in, and the columns the first folder's subfolders stand in. The page is at most
// 78rem wide: three columns of folders at 1,280 px and wider, two at 800 px.
const widths = [800, 1280, 1920];
const columns = {
  1: [[1, 2], [1, 3], [1, 3]],
  2: [[2, 1], [2, 2], [2, 2]],
  3: [[2, 1], [3, 1], [3, 1]],
  5: [[2, 1], [3, 1], [3, 1]],
  40: [[2, 1], [3, 1], [3, 1]],
  empty: [[2, 1], [2, 2], [2, 2]],
};
const layouts = Object.entries(columns).flatMap(([tree, byWidth]) =>
  widths.map((width, w) => [tree, width, "en-US", ...byWidth[w]]));
layouts.push(["empty", 1280, "zh-CN", 2, 2]);

// The empty folders' quiet line and the caption of those shown, in each language.
const empties = {
  "en-US": { line: "130 empty folders", caption: '"Empty folders"' },
  "zh-CN": { line: "130 个空文件夹", caption: '"空文件夹"' },
};

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync"],
});

// Where the folders and links stand, in whole pixels: the list, the folders and the links at
// the top, the subfolders of the first folder, and how wide the page can be scrolled.
const places = (page) => page.evaluate(() => {
  const place = (el) => {
    const r = el.getBoundingClientRect();
    return { left: Math.round(r.left), right: Math.round(r.right), top: Math.round(r.top), bottom: Math.round(r.bottom) };
  };
  const shown = (list, tag) => Array.from(list.children).filter((dt) =>
    dt.tagName === "DT" && dt.firstElementChild && dt.firstElementChild.tagName === tag && dt.checkVisibility());
  const links = document.getElementById("links");
  const top = links.querySelector(":scope > dl");
  const folders = shown(top, "H4");
  return {
    window: window.innerWidth,
    scrolled: document.documentElement.scrollWidth,
    list: place(links),
    folders: folders.map(place),
    links: shown(top, "A").map(place),
    subfolders: folders.length ? shown(folders[0].querySelector(":scope > dl"), "H4").map(place) : [],
  };
});

async function accessible(what, page) {
  await page.evaluate(axeSource);
  expect(`${what}: axe-core`, [], await page.evaluate(() => axe.run(document).then((r) =>
    r.violations.map((v) => `${v.id} (${v.nodes.map((n) => n.target.join(" ")).join("; ")})`))));
}

const lefts = (boxes) => new Set(boxes.map((b) => b.left)).size;
const overlap = (boxes) => boxes.some((a, i) => boxes.slice(i + 1).some((b) =>
  a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom));

function checkPlaces(what, at, folderColumns, subfolderColumns) {
  expect(`${what}: nothing wider than the window`, true, at.scrolled <= at.window);
  expect(`${what}: columns of folders`, folderColumns, lefts(at.folders));
  expect(`${what}: the folders fill the width`, [at.list.left, at.list.right],
    [Math.min(...at.folders.map((b) => b.left)), Math.max(...at.folders.map((b) => b.right))]);
  expect(`${what}: no folder over another`, false, overlap(at.folders));
  if (at.links.length > 0) {
    expect(`${what}: the links at the top stand above the folders`, true,
      Math.max(...at.links.map((b) => b.bottom)) <= Math.min(...at.folders.map((b) => b.top)));
  }
  if (subfolderColumns !== undefined) {
    expect(`${what}: columns of the first folder's subfolders`, subfolderColumns, lefts(at.subfolders));
  }
}

// The empty folders of Firefox's toolbar: as loaded, its four links and one line that tells how
// many empty folders it holds; Firefox's one empty folder shown with its caption. The line shows
// them, sharing lines; the filter finds one by its name. axe-core finds nothing with the
// line closed or open.
async function checkEmptyFolders(what, page, locale) {
  const toolbar = page.locator("#links dt", { has: page.locator(":scope > h4", { hasText: "Bookmarks Toolbar" }) });
  // What shows in the toolbar, each by its name: a link's, a folder's (without its count) or the
  // line's.
  const shownIn = () => toolbar.evaluate((dt) => Array.from(dt.querySelector(":scope > dl").children)
    .filter((item) => item.checkVisibility()).map((item) => {
      const button = item.querySelector(":scope > h4 > button");
      return (button ? button.firstChild : item.firstChild).textContent.trim();
    }));
  const line = toolbar.locator(":scope > dl > .empties > button");
  expect(`${what}: the toolbar as loaded`, ["Tool 1", "Tool 2", "Tool 3", "Tool 4", empties[locale].line], await shownIn());
  expect(`${what}: Mobile Bookmarks shown with its caption`, empties[locale].caption, await page.evaluate(() => {
    const mobile = Array.from(document.querySelectorAll("#links h4")).find((h) => h.textContent.startsWith("Mobile Bookmarks"));
    return mobile.checkVisibility() ? getComputedStyle(mobile.parentElement, "::before").content : "hidden";
  }));
  expect(`${what}: one line for the empty folders`, 1, await line.count());
  if (await line.count() !== 1) return;
  await accessible(`${what}, the line closed`, page);
  await line.click();
  expect(`${what}: the line opened`, "true", await line.getAttribute("aria-expanded"));
  await accessible(`${what}, the line open`, page);
  const rows = await toolbar.evaluate((dt) => {
    const empty = Array.from(dt.querySelectorAll(":scope > dl > dt > h4")).map((h) => h.parentElement)
      .filter((folder) => !folder.querySelector(":scope > dl > dt"));
    const tops = new Set(empty.filter((folder) => folder.checkVisibility())
      .map((folder) => Math.round(folder.firstElementChild.getBoundingClientRect().top)));
    return { shown: empty.filter((folder) => folder.checkVisibility()).length, rows: tops.size };
  });
  expect(`${what}: every empty folder shown`, 130, rows.shown);
  expect(`${what}: empty folders share lines (${rows.rows} lines)`, true, rows.rows < rows.shown);
  await line.click();
  await page.fill("#filter", "slashdot 100");
  expect(`${what}: the filter finds an empty folder by its name`, ["Slashdot 100"], await shownIn());
  await page.fill("#filter", "");
}

for (const [tree, width, locale, folderColumns, subfolderColumns] of layouts) {
  const name = { empty: "Chromium and Firefox with empty folders", 1: "1 folder" }[tree] || `${tree} folders`;
  const what = `${name}, ${width} px, ${locale}`;
  const context = await browser.newContext({ locale, viewport: { width, height: 900 } });
  const page = await context.newPage();
  page.on("pageerror", (error) => {
    console.log(`FAIL: ${what}: the page's script failed: ${error.message}`);
    failures++;
  });
  await page.goto(`file://${pages}/layout-${tree}-${locale === "zh-CN" ? "zh" : "en"}.htm`);
  await page.waitForFunction(() =>
    document.querySelectorAll("#links h4 > button.fold").length === document.querySelectorAll("#links h4").length);
  checkPlaces(what, await places(page), folderColumns, subfolderColumns);
  await page.click("#collapse-all");
  checkPlaces(`${what}, folded`, await places(page), folderColumns);
  await page.click("#expand-all");
  if (tree === "empty") await checkEmptyFolders(what, page, locale);
  await context.close();
}

await browser.close();
process.exit(failures > 0 ? 1 : 0);
