// Reads the records of GlRecords.h between its `heap layout` markers and writes, at build time,
// what the two sides of the heap need so that they cannot differ:
//   node heap_layout.js <source root> <header, from the root> <output folder>
// library_webgl_layout.js, the emscripten library $tessaryGlLayout: for each struct, the byte
// offset of each data member and the struct's size, which library_webgl_sink.js reads the heap by;
// WebGlLayoutCheck.h, a static_assert of each of those numbers, which WebGlSink.cpp includes, so
// that the compiler confirms what was read here.
// Every field is one 4-byte word, as the sink reads the heap in words: a member of any other type,
// or a declaration this reader does not understand, stops the build rather than shifting a field.
'use strict';
const fs = require('node:fs');
const path = require('node:path');

const WORD_TYPES = ['int32_t', 'uint32_t', 'float'];
// A member function without a body, such as `bool operator==(const Box&) const = default`.
const FUNCTION = new RegExp(String.raw`^[\w:<>&*\s]*?\b(?:operator\s*[^\w\s(]+|\w+)\s*\([^()]*\)\s*` +
                            String.raw`(?:const\s*)?(?:noexcept\s*)?(?:=\s*(?:default|delete)\s*)?$`);
// A declarator: a name, array bounds, a default.
const DECLARATOR = /^(\w+)((?:\s*\[\s*\d+\s*\])*)\s*(?:=.*|\{.*\})?$/s;

// `text` cut at each `separator` outside brackets.
function split(text, separator) {
  const parts = [];
  let depth = 0, start = 0;
  for (let i = 0; i < text.length; ++i) {
    if ('([{'.includes(text[i])) ++depth;
    else if (')]}'.includes(text[i])) --depth;
    else if (text[i] === separator && depth === 0) {
      parts.push(text.slice(start, i));
      start = i + 1;
    }
  }
  parts.push(text.slice(start));
  return parts;
}

// The index of the brace that closes the one at `open`.
function closing(text, open) {
  for (let i = open, depth = 0; i < text.length; ++i) {
    if (text[i] === '{') ++depth;
    else if (text[i] === '}' && --depth === 0) return i;
  }
  throw new Error('heap layout: a brace is never closed');
}

// The offsets of a struct's data members and its size, from the sizes of the types declared so far.
function fields(name, body, sizes) {
  const table = {size: 0};
  for (const statement of split(body, ';').map((s) => s.replace(/\s+/g, ' ').trim())) {
    if (!statement || FUNCTION.test(statement)) continue;
    const [, type, rest] = /^(?:std::)?([\w:]+) (.*)$/s.exec(statement) || [, statement, ''];
    for (const declarator of split(rest, ',').map((d) => d.trim())) {
      const m = DECLARATOR.exec(declarator);
      if (!m) throw new Error(`heap layout: ${name}: cannot read the member \`${statement}\``);
      const [, member, bounds] = m;
      if (!sizes.has(type))
        throw new Error(`heap layout: ${name}::${member} is of type ${type}, not one word of the heap ` +
                        `(${WORD_TYPES.join(', ')}, an enum of one of them, or a struct of the layout)`);
      if (member === 'size') throw new Error(`heap layout: ${name}::size: that name is each table's size`);
      const count = [...bounds.matchAll(/\d+/g)].reduce((n, [b]) => n * Number(b), 1);
      table[member] = table.size;
      table.size += sizes.get(type) * count;
    }
  }
  return table;
}

// {StructName: {member: byte offset, ..., size: bytes}} of the header's layout, in its order.
function layout(header) {
  const part = /\/\/ heap layout begin([\s\S]*?)\/\/ heap layout end/.exec(header);
  if (!part) throw new Error('heap layout: no `heap layout begin` and `end` markers');
  let text = part[1].replace(/\/\*[\s\S]*?\*\//g, ' ').replace(/\/\/.*$/gm, '');
  const sizes = new Map(WORD_TYPES.map((t) => [t, 4])), structs = {};
  for (text = text.trim(); text; text = text.trim()) {
    const enumeration = /^enum\s+(?:class\s+)?(\w+)\s*:\s*(?:std::)?(\w+)\s*\{[^}]*\}\s*;/.exec(text);
    const struct = /^struct\s+(\w+)\s*\{/.exec(text);
    if (enumeration) {
      if (enumeration[2] !== 'int32_t' && enumeration[2] !== 'uint32_t')
        throw new Error(`heap layout: enum ${enumeration[1]} must be of int32_t or uint32_t`);
      sizes.set(enumeration[1], 4);
      text = text.slice(enumeration[0].length);
    } else if (struct) {
      const end = closing(text, struct[0].length - 1), after = /^\s*;/.exec(text.slice(end + 1));
      if (!after) throw new Error(`heap layout: struct ${struct[1]} does not end with };`);
      structs[struct[1]] = fields(struct[1], text.slice(struct[0].length, end), sizes);
      sizes.set(struct[1], structs[struct[1]].size);
      text = text.slice(end + 1 + after[0].length);
    } else {
      throw new Error(`heap layout: cannot read \`${text.split('\n')[0]}\``);
    }
  }
  return structs;
}

function library(structs, header) {
  return [
    `// Written by platform/webgl/heap_layout.js from ${header}:`,
    '// the byte offsets and sizes of the records the sink reads from the heap.',
    'mergeInto(LibraryManager.library, {',
    `  $tessaryGlLayout: ${JSON.stringify(structs)},`,
    '});',
    '',
  ].join('\n');
}

// The static_asserts of every number of the layout, in the namespace the markers stand in.
function check(structs, header, include) {
  const before = header.slice(0, header.indexOf('// heap layout begin'));
  const namespaces = [...before.matchAll(/namespace (\w+) \{/g)];
  const prefix = namespaces.length ? namespaces[namespaces.length - 1][1] + '::' : '';
  const lines = [`// Written by platform/webgl/heap_layout.js from ${include}: the layout it read, checked.`,
                 '#pragma once', '', `#include "${include}"`, '', '#include <cstddef>', ''];
  for (const [name, table] of Object.entries(structs)) {
    lines.push(`static_assert(sizeof(${prefix}${name}) == ${table.size});`);
    for (const [member, offset] of Object.entries(table))
      if (member !== 'size') lines.push(`static_assert(offsetof(${prefix}${name}, ${member}) == ${offset});`);
  }
  return lines.join('\n') + '\n';
}

if (require.main === module) {
  const [root, include, out] = process.argv.slice(2);
  const header = fs.readFileSync(path.join(root, include), 'utf8');
  const structs = layout(header);
  fs.mkdirSync(out, {recursive: true});
  fs.writeFileSync(path.join(out, 'library_webgl_layout.js'), library(structs, include));
  fs.writeFileSync(path.join(out, 'WebGlLayoutCheck.h'), check(structs, header, include));
} else {
  module.exports = {layout, library};
}
