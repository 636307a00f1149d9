// The host of the WebAssembly module's runs under Node.js: what the system
// gives coredesign-cli (cli/system_host.cpp through platform/), done here the
// same way on a POSIX system. The temporary folder is TEMP, else TMPDIR, else
// /tmp, a relative name taken from the folder the program started in; the
// report's pictures are the absolute file: URLs of the pictures beside this
// file; a file the user names is written as any command-line program writes
// it, and the SPICE model into a new file put in place of the old one.
import * as fs from 'node:fs';
import * as path from 'node:path';
import { fileURLToPath } from 'node:url';

// The C library's texts for the errors a file write meets (strerror), which
// coredesign-cli puts in its messages; Node.js names the error by its code.
const kSystemErrors = {
  EACCES: 'Permission denied',
  EAGAIN: 'Resource temporarily unavailable',
  EBADF: 'Bad file descriptor',
  EBUSY: 'Device or resource busy',
  EDQUOT: 'Disk quota exceeded',
  EEXIST: 'File exists',
  EFBIG: 'File too large',
  EINTR: 'Interrupted system call',
  EINVAL: 'Invalid argument',
  EIO: 'Input/output error',
  EISDIR: 'Is a directory',
  ELOOP: 'Too many levels of symbolic links',
  EMFILE: 'Too many open files',
  ENAMETOOLONG: 'File name too long',
  ENFILE: 'Too many open files in system',
  ENODEV: 'No such device',
  ENOENT: 'No such file or directory',
  ENOMEM: 'Cannot allocate memory',
  ENOSPC: 'No space left on device',
  ENOTDIR: 'Not a directory',
  ENOTEMPTY: 'Directory not empty',
  ENXIO: 'No such device or address',
  EPERM: 'Operation not permitted',
  EPIPE: 'Broken pipe',
  EROFS: 'Read-only file system',
  ETXTBSY: 'Text file busy',
  EXDEV: 'Invalid cross-device link',
};

/** The C library's text for a failed system call's error. */
export function systemErrorText(error) {
  const code = error && typeof error === 'object' ? error.code : undefined;
  if (typeof code === 'string' && code in kSystemErrors) return kSystemErrors[code];
  if (error && typeof error.errno === 'number') return `Unknown error ${-error.errno}`;
  return String(error && error.message ? error.message : error);
}

/** An Error whose message is the system's text for `error`. */
function systemError(error) {
  return new Error(systemErrorText(error));
}

// The folder the program started in, read once at start-up (platform's
// StartFolder); empty when the system cannot tell.
function readStartFolder() {
  try {
    return process.cwd();
  } catch {
    return '';
  }
}

/** The temporary folder as platform's TempFolder finds it. */
export function tempFolder(env, startFolder) {
  const named = env.TEMP ? env.TEMP : env.TMPDIR ? env.TMPDIR : '/tmp';
  if (named.startsWith('/') || startFolder === '') return named;
  return startFolder + (startFolder.endsWith('/') ? '' : '/') + named;
}

/**
 * The absolute file: URL of a path, every byte of its UTF-8 outside the
 * letters, digits, - . _ ~ and the separator / percent-encoded.
 */
export function fileUrl(absolutePath) {
  let url = 'file://';
  for (const byte of new TextEncoder().encode(absolutePath)) {
    const plain =
      (byte >= 0x41 && byte <= 0x5a) || (byte >= 0x61 && byte <= 0x7a) || (byte >= 0x30 && byte <= 0x39) ||
      byte === 0x2d || byte === 0x2e || byte === 0x5f || byte === 0x7e || byte === 0x2f;
    url += plain ? String.fromCharCode(byte) : '%' + byte.toString(16).toUpperCase().padStart(2, '0');
  }
  return url;
}

/**
 * What the report writes after src= for the picture `fileName` in `folder`:
 * its absolute file: URL, or empty when it is not a regular file.
 */
export function fileReference(folder, fileName) {
  const file = path.normalize(path.resolve(folder, fileName));
  try {
    if (!fs.statSync(file).isFile()) return '';
  } catch {
    return '';
  }
  return fileUrl(file);
}

// Opens `file` for writing (created, or emptied), writes `bytes` and closes
// it. Throws the system's text; `opened` tells whether the file was opened.
function writeAll(file, bytes, opened = { value: false }) {
  let fd;
  try {
    fd = fs.openSync(file, 'w');
  } catch (error) {
    throw systemError(error);
  }
  opened.value = true;
  let failure = null;
  try {
    for (let done = 0; done < bytes.length; ) done += fs.writeSync(fd, bytes, done, bytes.length - done);
  } catch (error) {
    failure = error;
  }
  try {
    fs.closeSync(fd);
  } catch (error) {
    failure = failure || error;
  }
  if (failure) throw systemError(failure);
}

/** Writes `bytes` as any command-line program writes a file it is given. */
export function writeNamedFile(file, bytes) {
  writeAll(file, bytes);
}

/**
 * Writes `bytes` into FILE.partial, then puts it in place of `file`, so that
 * a failure leaves an earlier file of that name as it was.
 */
export function writeFileWhole(file, bytes) {
  const partial = file + '.partial';
  const opened = { value: false };
  try {
    writeAll(partial, bytes, opened);
    fs.renameSync(partial, file);
  } catch (error) {
    if (opened.value) fs.rmSync(partial, { force: true });
    throw error.code ? systemError(error) : error;
  }
}

/** At most `maxBytes` bytes of a file (a name, or an open descriptor). */
export function readAtMost(file, maxBytes) {
  let fd;
  try {
    fd = typeof file === 'number' ? file : fs.openSync(file, 'r');
    const chunks = [];
    let total = 0;
    while (total < maxBytes) {
      const chunk = Buffer.alloc(Math.min(maxBytes - total, 1 << 16));
      const read = fs.readSync(fd, chunk, 0, chunk.length, null);
      if (read === 0) break;
      chunks.push(chunk.subarray(0, read));
      total += read;
    }
    return new Uint8Array(Buffer.concat(chunks, total));
  } catch (error) {
    throw systemError(error);
  } finally {
    if (typeof file !== 'number' && fd !== undefined) fs.closeSync(fd);
  }
}

/**
 * The host of the runs on this system. `programFolder` holds the report's
 * pictures (the folder of this file, the real one behind any link);
 * `env` the environment the temporary folder is read from at each run.
 */
export function createNodeHost({
  env = process.env,
  startFolder = readStartFolder(),
  programFolder = path.dirname(fs.realpathSync(fileURLToPath(import.meta.url))),
} = {}) {
  return {
    tempFolder: () => tempFolder(env, startFolder),
    pictureReference: (fileName) => fileReference(programFolder, fileName),
    writeFile: (file, bytes, how) => (how === 'whole' ? writeFileWhole(file, bytes) : writeNamedFile(file, bytes)),
    readFile: (file, maxBytes) => readAtMost(file, maxBytes),
    readStandardInput: (maxBytes) => readAtMost(0, maxBytes),
  };
}
