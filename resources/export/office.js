// Prepares the laid-out page for LibreOffice's HTML import and hands it back
// as HTML. The import knows footnotes only in its own markup, draws tables
// without borders unless told, and sizes pictures by their attributes; code
// gets a monospaced font and a shade written into the element, as the import
// reads little of a style sheet.
function quillviewOfficePage(textWidth, textHeight, realNotes) {
  const monospace = 'Courier New';

  // Notes are list items or paragraphs with an id inside a notes section;
  // their marks are the links to them from outside any note.
  const noteSections = Array.from(document.querySelectorAll(
      '.footnotes, section[data-footnotes], ol.references, p.footnote'));
  const notes = new Map();
  for (const section of noteSections) {
    const items = section.matches('p.footnote') ? [section] : section.querySelectorAll('li[id], p[id]');
    for (const item of items)
      notes.set(item.id, item);
  }
  const inNote = (element) => noteSections.some((section) => section.contains(element));
  let number = 0;
  const bodies = [];
  for (const link of realNotes ? Array.from(document.querySelectorAll('a[href^="#"]')) : []) {
    const note = notes.get(decodeURIComponent(link.getAttribute('href').slice(1)));
    if (!note || inNote(link))
      continue;
    number += 1;
    const mark = link.closest('sup') || link;
    const anchor = document.createElement('a');
    anchor.className = 'sdfootnoteanc';
    anchor.setAttribute('name', 'sdfootnote' + number + 'anc');
    anchor.setAttribute('href', '#sdfootnote' + number + 'sym');
    anchor.innerHTML = '<sup>' + number + '</sup>';
    mark.replaceWith(anchor);
    bodies.push(noteBody(note, number));
  }
  for (const section of realNotes ? noteSections : [])
    section.remove();
  for (const body of bodies)
    document.body.append(body);

  for (const table of document.querySelectorAll('table')) {
    table.setAttribute('border', '1');
    table.setAttribute('cellspacing', '0');
    table.setAttribute('cellpadding', '4');
    const first = table.rows[0];
    if (first && !table.tHead && Array.from(first.cells).every((cell) => cell.tagName === 'TH')) {
      const head = table.createTHead();
      head.append(first);
    }
  }
  for (const pre of document.querySelectorAll('pre')) {
    pre.style.fontFamily = monospace;
    pre.style.background = '#f2f2f2';
  }
  for (const code of document.querySelectorAll('code, kbd, samp, tt'))
    code.style.fontFamily = monospace;
  for (const image of document.querySelectorAll('img')) {
    // Pictures of formulas and diagrams have more pixels than their size.
    const drawn = image.classList.contains('quillview-picture');
    const width = drawn ? Number(image.getAttribute('width')) : image.naturalWidth;
    const height = drawn ? Number(image.getAttribute('height')) : image.naturalHeight;
    if (!width)
      continue;
    const scale = Math.min(1, textWidth / width);
    image.setAttribute('width', Math.round(width * scale));
    image.setAttribute('height', Math.round(height * scale));
  }
  return '<!DOCTYPE html>\n' + document.documentElement.outerHTML;
}

// A note's text in the import's markup, without the links back to its marks
// and without a number written before it.
function noteBody(note, number) {
  const content = note.cloneNode(true);
  for (const back of Array.from(content.querySelectorAll('a[href^="#"]'))) {
    if (/reversefootnote|footnote-backref/.test(back.className) || back.getAttribute('href').startsWith('#fnref')
        || back.textContent.trim() === '\u21a9' || back.textContent.trim() === '^')
      back.remove();
  }
  const leading = content.firstElementChild;
  if (leading && leading.tagName === 'SUP' && /^\s*\d+\s*$/.test(leading.textContent))
    leading.remove();
  const box = document.createElement('div');
  box.id = 'sdfootnote' + number;
  const paragraph = document.createElement('p');
  paragraph.innerHTML = '<a class="sdfootnotesym" name="sdfootnote' + number + 'sym" href="#sdfootnote' + number
      + 'anc">' + number + '</a>';
  const blocks = content.querySelectorAll(':scope > p');
  if (blocks.length === 0) {
    paragraph.append(...content.childNodes);
  } else {
    blocks.forEach((block, index) => {
      if (index > 0)
        paragraph.append(document.createElement('br'));
      paragraph.append(...block.childNodes);
    });
  }
  box.append(paragraph);
  return box;
}
